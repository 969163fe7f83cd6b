#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes JPEG data with libjpeg into an RGB image; a null image when the
// data is not a JPEG picture.
QImage decodeJpeg(const QByteArray &data);
// Decodes a JPEG file or resource (":/pictures/...").
QImage loadJpeg(const QString &path);
