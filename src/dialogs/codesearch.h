#pragma once

#include <functional>

class QAbstractButton;
class QLineEdit;
class QToolButton;
class QWidget;

// The small search button beside a code box, alike on every maintenance
// screen: the search picture, its hint, and no focus of its own, so Tab goes
// from the code box straight on.
QToolButton* makeSearchUserButton(QWidget* parent);

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
