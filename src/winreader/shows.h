// Shows: a picture for its time with its sound, a sound alone, or a video or tune in the media
// player; each file of the book's folder.
#pragma once

#include <string>
#include <windows.h>

namespace winreader {

// The show of a command value ("PICTURE.BMP,SOUND.WAV,30"); `mediaPrompt` is the media
// player's caption.
void ShowCommand(const std::string& caption, const std::string& value,
                 const std::string& mediaPrompt, HWND owner);

// The media player with its Play, Pause, Stop and Prev buttons, its progress and the video.
void OpenMediaPlayer(const std::string& file, const std::string& prompt, HWND owner);

} // namespace winreader
