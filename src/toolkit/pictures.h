#pragma once

#include <QPixmap>
#include <QString>

// Paths of the program's pictures in its resources (link zaq_resources into the program).
namespace Pictures {

QString logo(); // 301 x 166 JPEG of the logo window
QString logon(); // 136 x 96 default picture of the logon dialog
QString toolBar(int index); // 32 x 32, 0 new, 1 delete, 2 save, 3 exit, 4 history, 5 copy, 6 print, 7 change code
QString treeEntry(); // 16 x 16
QString upgrade(); // 20 x 20, normal state of the upgrade button
QString upgradeDisabled(); // 20 x 20, disabled state
QString search(); // 16 x 16 search button

// The 32 x 32 glyph resource number of a department; 99, the globe, for any other id.
int departmentGlyphNumber(qint64 departmentId);
QString departmentGlyph(qint64 departmentId);

} // namespace Pictures
