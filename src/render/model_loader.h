#pragma once

#include <string>
#include <vector>

#include "geometry.h"

// The meshes of a Wavefront OBJ file, one GeometryData each, in the file's node order.
// `path` is opened as given. A file that cannot be read gives an empty list and the importer's
// message on standard error, after the model's path. Meshes without normals get zero normals, without texture
// coordinates (0, 0); faces that are not triangles of the mesh's own vertices are left out. The first and the last are
// reported on standard error, one line each.
std::vector<GeometryData> loadModel(const std::string& path);

// Loads a model shipped with the game, found by the asset search like every other asset, so the
// game sees its models from any working directory. A model the search does not find is opened
// under its relative name, which lets the importer report it.
std::vector<GeometryData> loadModelAsset(const std::string& assetName);

// The same from OBJ text in memory.
std::vector<GeometryData> loadModelFromMemory(const std::string& objText);
