#pragma once
// The program's icon and About picture, drawn once: a sensor head looking down
// on a band of the visible spectrum. Named "TR8KZ" as resources.

#include <QIcon>
#include <QPixmap>

QIcon ProgramIcon();
QPixmap AboutPicture();
