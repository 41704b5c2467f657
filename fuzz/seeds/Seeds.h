#pragma once

#include <QByteArray>
#include <QList>

// Each function returns a few small valid inputs for one fuzzer, built with the project's code.
namespace seeds {
QList<QByteArray> profile();
QList<QByteArray> bmp();
QList<QByteArray> ico();
QList<QByteArray> emf();
QList<QByteArray> wmf();
QList<QByteArray> jpeg();
QList<QByteArray> png();
QList<QByteArray> tiff();
} // namespace seeds
