#pragma once

#include <QByteArray>
#include <QList>

// Each function returns a few small inputs for one fuzzer, built with the project's code.
namespace seeds {
QList<QByteArray> profile();
QList<QByteArray> bmp();
QList<QByteArray> ico();
QList<QByteArray> emf();
QList<QByteArray> wmf();
QList<QByteArray> jpeg();
QList<QByteArray> png();
QList<QByteArray> tiff();

// Scaled-down hostile pictures of each format, a few kilobytes each.
QList<QByteArray> hostileBmp();
QList<QByteArray> hostileIco();
QList<QByteArray> hostileEmf();
QList<QByteArray> hostileWmf();
QList<QByteArray> hostileJpeg();
QList<QByteArray> hostilePng();
QList<QByteArray> hostileTiff();
} // namespace seeds
