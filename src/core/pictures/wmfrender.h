// Windows metafiles rendered to SVG by libwmf. This header and its source include no Qt header:
// libwmf's own headers define names that clash with Qt's.
#pragma once

#include <string>

// SVG text for the metafile bytes; false (with a reason) when libwmf cannot read them.
bool RenderWmfToSvg(const unsigned char* data, long size, std::string& svg, std::string& error);

// A folder where libwmf looks for its fonts before its own: a portable book carries them.
void SetWmfFontFolder(const std::string& folder);
