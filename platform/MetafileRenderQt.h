// Drawing metafile records with QPainter: the renderer of the Qt metafile library.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Metafile.h"

// A TMetafileRenderer: plays the records onto the surface with QPainter (creating the GUI
// application text output needs, see EnsureMetafileGuiApplication).
bool RenderMetafileWithQt(const TMetafileData& data, std::uint32_t* pixels, int width,
                          int height, std::string* error);
