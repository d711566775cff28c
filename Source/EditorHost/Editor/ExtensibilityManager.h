#pragma once

#include <memory>
#include <vector>

class FExtender;

/** The extenders others add to an editor's toolbar or menus; the editor combines them when it builds. */
class FExtensibilityManager
{
public:
	/** Adds the extender (once; adding it again changes nothing; null is ignored). */
	void AddExtender(std::shared_ptr<FExtender> Extender);
	void RemoveExtender(const std::shared_ptr<FExtender>& Extender);
	/** All extensions of all extenders, in the order they were added. */
	std::shared_ptr<FExtender> GetAllExtenders() const;
	const std::vector<std::shared_ptr<FExtender>>& GetExtenders() const { return Extenders; }

private:
	std::vector<std::shared_ptr<FExtender>> Extenders;
};
