#include "Imaging/ImageRefusal.h"

#include "Core/LogHost.h"

std::optional<FImage> RefuseImage(std::string_view SourceName, std::string_view Reason)
{
	UE_LOG(LogHost, Warning, "Refusing image file '%.*s': %.*s", static_cast<int>(SourceName.size()), SourceName.data(), static_cast<int>(Reason.size()), Reason.data());
	return std::nullopt;
}
