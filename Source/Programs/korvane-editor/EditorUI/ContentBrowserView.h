#pragma once

#include <memory>

class FJsonObject;
class IAssetRegistry;

/**
 * The content browser's data for the editor's UI page, from the asset registry (nothing is
 * loaded): {"root":"/Game","folders":[{"path","name"}...],"assets":[{"name","path","folder","class"}...]},
 * folders sorted by path, assets in the registry's order. The page builds the folder tree.
 */
std::shared_ptr<FJsonObject> DescribeContentBrowser(const IAssetRegistry& Registry);
