#include "Python/PythonText.h"

namespace py = pybind11;

namespace PythonText
{
	std::string ToUtf8(py::handle Text)
	{
		Py_ssize_t Size = 0;
		const char* Data = PyUnicode_AsUTF8AndSize(Text.ptr(), &Size);
		if (Data == nullptr)
		{
			throw py::error_already_set();
		}
		return std::string(Data, static_cast<std::size_t>(Size));
	}

	py::str ToPythonString(std::string_view Text)
	{
		PyObject* const Decoded = PyUnicode_DecodeUTF8(Text.data(), static_cast<Py_ssize_t>(Text.size()), "replace");
		if (Decoded == nullptr)
		{
			throw py::error_already_set();
		}
		return py::reinterpret_steal<py::str>(Decoded);
	}
}
