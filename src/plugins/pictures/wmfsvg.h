// Windows metafiles drawn as SVG by libwmf. This header and its source include no Qt header:
// libwmf's own headers define names that clash with Qt's.
#pragma once

#include <string>

// SVG text for the metafile bytes, measuring text with the fonts in `fontFolder` first when it
// is not empty; false (with a reason) when libwmf cannot read them. It runs in the calling
// process: a caller that cannot trust the file runs it in a child.
bool DrawWmfAsSvg(const unsigned char* data, long size, const std::string& fontFolder,
                  std::string& svg, std::string& error);
