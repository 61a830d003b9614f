#include "LocalServers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace localserver {

namespace {

sockaddr_in Loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool Accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const sockaddr_in address = Loopback(port);
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

const char kMisbehavingScript[] = R"PY(
import http.server, sys, time
port, png_file, log_file = int(sys.argv[1]), sys.argv[2], sys.argv[3]
png = open(png_file, 'rb').read()
page = b'<html><body><h1>Not Found</h1></body></html>'

class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'
    def log_message(self, *args):
        pass
    def answer(self, status, kind, body, length=True):
        self.send_response(status)
        self.send_header('Content-Type', kind)
        if length:
            self.send_header('Content-Length', str(len(body)))
        self.end_headers()
    def do_GET(self):
        with open(log_file, 'a') as log:
            log.write(self.path + '\n')
        kind = self.path.split('/')[1]
        if kind == 'ok':
            self.answer(200, 'image/png', png)
            self.wfile.write(png)
        elif kind == 'missing':
            self.answer(404, 'text/html', page)
            self.wfile.write(page)
        elif kind == 'missingpng':
            self.answer(404, 'image/png', png)
            self.wfile.write(png)
        elif kind == 'errorpng':
            self.answer(500, 'image/png', png)
            self.wfile.write(png)
        elif kind == 'html':
            self.answer(200, 'text/html', page)
            self.wfile.write(page)
        elif kind == 'trunc':
            self.answer(200, 'image/png', png)
            self.wfile.write(png[:len(png) // 2])
            self.close_connection = True
        elif kind == 'truncnolen':
            self.send_response(200)
            self.send_header('Content-Type', 'image/png')
            self.send_header('Connection', 'close')
            self.end_headers()
            self.wfile.write(png[:len(png) // 2])
            self.close_connection = True
        elif kind == 'redirect':
            self.send_response(302)
            self.send_header('Location', '/ok' + self.path[len('/redirect'):])
            self.send_header('Content-Length', '0')
            self.end_headers()
        elif kind == 'stall':
            time.sleep(120)
        elif kind == 'status':
            self.answer(int(self.path.split('/')[2]), 'image/png', png)
            self.wfile.write(png)
        else:
            self.answer(404, 'text/plain', b'')

server = http.server.ThreadingHTTPServer(('127.0.0.1', port), Handler)
server.daemon_threads = True
server.serve_forever()
)PY";

}  // namespace

int FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

Server::Server(const QString& program, const QStringList& arguments, int port)
    : m_process(std::make_unique<QProcess>()), m_port(port)
{
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->start(program, arguments);
    if (!m_process->waitForStarted(5000))
        return;
    for (int attempt = 0; attempt < 200 && m_process->state() == QProcess::Running; ++attempt) {
        if (Accepts(port)) {
            m_up = true;
            return;
        }
        QThread::msleep(25);
    }
}

Server::~Server()
{
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
}

std::unique_ptr<Server> StartFileServer(const QString& folder)
{
    const int port = FreePort();
    return std::make_unique<Server>(
        QStringLiteral("/usr/bin/python3"),
        QStringList{"-m", "http.server", QString::number(port), "--bind", "127.0.0.1", "--directory", folder},
        port);
}

std::unique_ptr<Server> StartMisbehavingServer(const QString& scriptFolder, const QByteArray& png,
                                               const QString& logFile)
{
    const QString script = scriptFolder + "/misbehaving_server.py";
    const QString pngFile = scriptFolder + "/served.png";
    if (!WriteFile(script, kMisbehavingScript) || !WriteFile(pngFile, png))
        return nullptr;
    const int port = FreePort();
    return std::make_unique<Server>(QStringLiteral("/usr/bin/python3"),
                                    QStringList{script, QString::number(port), pngFile, logFile}, port);
}

std::unique_ptr<Server> StartAuthProxy(const QString& folder, const QString& user, const QString& password)
{
    const int port = FreePort();
    const QString config = QStringLiteral(
                               "Port %1\nListen 127.0.0.1\nTimeout 30\nAllow 127.0.0.1\nMaxClients 10\n"
                               "BasicAuth %2 %3\nLogFile \"%4/proxy.log\"\nLogLevel Info\n")
                               .arg(port)
                               .arg(user, password, folder);
    const QString configFile = folder + "/proxy.conf";
    if (!WriteFile(configFile, config.toUtf8()))
        return nullptr;
    return std::make_unique<Server>(QStringLiteral("/usr/bin/tinyproxy"), QStringList{"-d", "-c", configFile},
                                    port);
}

QByteArray SolidPng(QRgb colour, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

fe::geo::TileSite LocalSite(const QString& baseUrl, const QString& path, int zoomMin, int zoomMax)
{
    fe::geo::TileSite site;
    site.SetBuiltIn(path, ".png", zoomMin, zoomMax, false, "local");
    site.baseUrl = baseUrl;
    return site;
}

bool WriteFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

}  // namespace localserver
