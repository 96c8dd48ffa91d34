// Windows metafiles rendered to SVG by libwmf, in a child process that a damaged file cannot
// hang or crash the program from.
#pragma once

#include <string>

// SVG text for the metafile bytes; false (with a reason) when libwmf cannot read them in time, or
// the pictures plugin cannot be loaded.
bool RenderWmfToSvg(const unsigned char* data, long size, std::string& svg, std::string& error);

// A folder where libwmf looks for its fonts before its own: a portable book carries them.
void SetWmfFontFolder(const std::string& folder);
