#pragma once

// Small fixtures shared by the model tests: pictures on disk, registration files, a decimal-comma locale.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QString>
#include <clocale>
#include <string>

// Writes a picture of the size filled with one colour; the format follows the extension.
inline bool WritePicture(const QString& path, int width, int height, QColor colour = QColor(200, 220, 240))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path);
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A registration of a 200 × 100 picture shown north up at one metre a pixel, its top-left corner 100 m
// north of the origin of the zone: pixel (u, v) lies at X = 100 − v (north), Y = u (east). The file
// holds each plane point east value first.
inline QByteArray NorthUpRegistration(int zone)
{
    return QByteArray(
               "2\r\n0.000000\r\n0.000000\r\n200.000000\r\n100.000000\r\n"
               "0.000000\r\n100.000000\r\n200.000000\r\n0.000000\r\n") +
           QByteArray::number(zone);
}

// Switches the C library and Qt to a locale that writes numbers with a decimal comma for one scope.
class DecimalCommaLocale
{
public:
    DecimalCommaLocale() : m_previousQt(QLocale())
    {
        const char* current = std::setlocale(LC_ALL, nullptr);
        m_previousC = current ? current : "C";
        m_active = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~DecimalCommaLocale()
    {
        std::setlocale(LC_ALL, m_previousC.c_str());
        std::setlocale(LC_NUMERIC, "C");
        QLocale::setDefault(m_previousQt);
    }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    // True when the C library really writes a decimal comma now.
    bool Active() const
    {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 1.5);
        return m_active && std::string(text) == "1,5";
    }

private:
    std::string m_previousC;
    QLocale m_previousQt;
    bool m_active = false;
};
