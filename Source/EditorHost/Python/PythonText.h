#pragma once

#include <pybind11/pybind11.h>

#include <string>
#include <string_view>

/** Text between Python str objects and the editor's UTF-8 strings. Only the units of Python/ include this. */
namespace PythonText
{
	/** The UTF-8 bytes of a str; the Python error (a lone surrogate, not a str) propagates as error_already_set. */
	std::string ToUtf8(pybind11::handle Text);
	/** A str of UTF-8 text; bytes that are not UTF-8 become U+FFFD. */
	pybind11::str ToPythonString(std::string_view Text);
}
