#pragma once

class QLineEdit;

// Password boxes are reset to blanks as long as the box takes, so a box whose cursor lands after
// them takes no typing. Such a box selects its whole text whenever it gets the focus, and on
// every click in it (the typed characters cannot be seen, so a cursor placed by the mouse is of
// no use there), so the first key typed replaces the blanks.
void selectAllOnFocus(QLineEdit* box);
