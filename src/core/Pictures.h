#pragma once
#include <QPixmap>

// The small pictures of the login and password windows and their buttons,
// drawn here rather than stored: 24 x 24 pixels on a transparent ground.
enum class WindowPicture { Person, Key, Tick, Cross };
QPixmap windowPicture(WindowPicture picture);
