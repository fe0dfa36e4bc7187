#pragma once

#include <QByteArray>
#include <QString>

// Checks a BMP file's bytes before any decoder sees them: every size the headers claim must lie
// inside the file and the dimensions must be sane, so a truncated or hostile file is refused
// instead of being read past its end or allocated at an absurd size.
class BmpFileCheck {
public:
    struct Result {
        bool ok = false;
        int bitCount = 0;    // depth the file declares
        QString reason;      // why the file was refused (empty when ok)
    };

    [[nodiscard]] static Result check(const QByteArray& file);

private:
    static Result refuse(const QString& reason);
};
