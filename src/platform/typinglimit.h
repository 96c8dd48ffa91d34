// A limit on how long a text the author types into a line edit may grow. Unlike the line edit's
// maximum length, it never cuts a text that a window puts there from stored data or a pick.
#pragma once

class QLineEdit;

// The author cannot type `edit` beyond `length` characters; a longer text set by the window is
// kept whole, and may be shortened but not lengthened by typing.
void LimitTyping(QLineEdit* edit, int length);
