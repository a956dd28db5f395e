#pragma once

#include <functional>

class QAbstractButton;
class QLineEdit;

// The maintenance screens find a user or group for their code box through the
// program's search dialog: the search asks for the column "Code" and, on OK,
// the chosen code replaces the box's text; on Cancel the box keeps its text.
// The screen's own leave-the-box step loads the record afterwards, as for a
// typed code. Answers whether a code was chosen.
bool pickCode(QLineEdit* codeBox, bool groupMode);

// F5 in the box, and a click on the button when one is given, run pickCode.
// groupMode is asked at each use, for the screen that serves users and groups alike.
void attachCodeSearch(QLineEdit* codeBox, QAbstractButton* button, std::function<bool()> groupMode);
void attachCodeSearch(QLineEdit* codeBox, QAbstractButton* button, bool groupMode);
