#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>
#include <memory>

#include "fe/geo/TileSite.h"

// Servers the tile tests start on 127.0.0.1 and stop again; nothing else is ever contacted.
namespace localserver {

// A port on 127.0.0.1 that was free a moment ago.
int FreePort();

// A child process that serves on a local port; killed and waited for on destruction.
class Server
{
public:
    Server(const QString& program, const QStringList& arguments, int port);
    ~Server();
    bool IsUp() const { return m_up; }
    int Port() const { return m_port; }
    QString BaseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

private:
    std::unique_ptr<QProcess> m_process;
    int m_port;
    bool m_up = false;
};

// /usr/bin/python3 -m http.server over the folder.
std::unique_ptr<Server> StartFileServer(const QString& folder);

// A server of the tests' own whose answer depends on the first path segment:
//   /ok/...          200 with the given PNG
//   /missing/...     404 with an HTML page
//   /missingpng/...  404 with the PNG, as servers that show a "no tile here" picture answer
//   /errorpng/...    500 with the PNG
//   /html/...        200 with an HTML page
//   /trunc/...       200, Content-Length of the whole PNG, half of it sent, then closed
//   /truncnolen/...  200 without Content-Length, half of the PNG, then closed
//   /redirect/...    302 to the same path under /ok
//   /stall/...       accepts and never answers
//   /status/N/...    status N with the given PNG as the body
// Every request path is appended to logFile.
std::unique_ptr<Server> StartMisbehavingServer(const QString& scriptFolder, const QByteArray& png,
                                               const QString& logFile);

// tinyproxy on a free port, asking for basic authentication with the user and password.
std::unique_ptr<Server> StartAuthProxy(const QString& folder, const QString& user, const QString& password);

// Polls until the condition holds (true) or the time is up (false).
template <class Condition>
bool WaitFor(Condition condition, int milliseconds = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QThread::msleep(5);
    }
    return true;
}

// A PNG of one colour, by default of the tile size.
QByteArray SolidPng(QRgb colour, int width = 256, int height = 256);

// A site whose tiles come from the base URL (a local server) with the path, as PNG files.
fe::geo::TileSite LocalSite(const QString& baseUrl, const QString& path, int zoomMin = 2, int zoomMax = 18);

// Writes data into the file, making its folder.
bool WriteFile(const QString& path, const QByteArray& data);

}  // namespace localserver
