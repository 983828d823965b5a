// A world's 2D map as a PNG picture, for reports: drawn as the 2D view draws it, at most
// `maxWidth` pixels wide (smaller worlds keep the view's own size).
#pragma once

#include <string>

#include "world/map_picture.h"

// `worldBytes` is a world file's content; a damaged one draws the start world.
TMapPicture WorldMapPng(const std::string& worldBytes, int maxWidth);
