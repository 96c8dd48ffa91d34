// A limit on how long a text the author types into a line edit may grow. Unlike the line edit's
// maximum length, it never cuts a text that a window puts there from stored data or a pick.
#pragma once

class QLineEdit;

// The author cannot type `edit` beyond the `length` bytes of the record field it fills, counted
// as the field stores the text (a byte a character in Windows-1252, else the bytes of UTF-8), so
// a character that does not fit whole is refused whole. A longer text set by the window is kept
// whole, and may be shortened but not lengthened by typing.
void LimitTyping(QLineEdit* edit, int length);
