// Small file helpers shared by the tests that check what lands on disk.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The whole content of the file; empty when it cannot be read.
inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
