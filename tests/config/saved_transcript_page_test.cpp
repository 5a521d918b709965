// A saved transcript opened in Qt WebEngine, as a browser opens the file:
// the code page its head names is the one it is written in, and the
// emoticons, absolute addresses of the portal, load from there.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "client/window/saving/saved_document.h"
#include "platform/cp949.h"
#include "tests/fakes/page_script.h"

namespace orvinta::saving {
namespace {

QVariant Evaluate(QWebEnginePage& page, const QString& script) {
  return RunScript(page, script, QWebEngineScript::MainWorld);
}

// Serves the development portal's emoticons over HTTP, as the portal would.
class PictureServer {
 public:
  PictureServer() {
    server_.listen(QHostAddress::LocalHost);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
          const QList<QByteArray> request = socket->readAll().split(' ');
          QFile file(QStringLiteral(ORVINTA_PORTAL_DIR) + QString::fromLatin1(request.value(1)));
          const bool found = request.value(1).startsWith("/img/emot/") && file.open(QIODevice::ReadOnly);
          const QByteArray body = found ? file.readAll() : QByteArray();
          socket->write((found ? "HTTP/1.0 200 OK\r\nContent-Type: image/gif\r\n" : "HTTP/1.0 404 Not Found\r\n") +
                        QByteArray("Content-Length: ") + QByteArray::number(body.size()) + "\r\n\r\n" + body);
          socket->disconnectFromHost();
        });
      }
    });
  }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/img/emot/"; }

 private:
  QTcpServer server_;
};

TEST(SavedTranscriptPage, ShowsItsKoreanTextColoursAndEmoticons) {
  PictureServer pictures;
  // Two lines as the transcript holds them (UTF-8 here, code page 949 in the file).
  const std::string lines =
      "<TABLE BORDER=0 WIDTH=100% CELLPADDING=0 CELLSPACING=0 CLASS=fixed><TR><TD WIDTH=35></TD>"
      "<TD WIDTH=95 CLASS=ellips BGCOLOR='#FFFFFF'><NOBR><B>앨리스</B></NOBR></TD><TD WIDTH=18>▶</TD><TD>"
      "<FONT STYLE='COLOR:#CC0000;FONT-SIZE:9pt;FONT-FAMILY:굴림'>안녕하세요 <IMG WIDTH=20 HEIGHT=20 "
      "ALIGN=ABSMIDDLE SRC=" + pictures.Base() + "icon_01.gif></FONT></TD></TR></TABLE>\n"
      "<TABLE BORDER=0 WIDTH=100% CELLPADDING=0 CELLSPACING=0 CLASS=fixed><TR><TD ALIGN=CENTER>"
      "<FONT COLOR='#11AA44'>오르빈봇님이 입장하셨습니다.</FONT></TD></TR></TABLE>";
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("saved.htm"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const std::string document = SavedDocument(platform::Utf8ToCp949(lines).value());
  file.write(document.data(), static_cast<qint64>(document.size()));
  file.close();

  QWebEngineView view;
  // As a desktop browser does, a file may show pictures from the web.
  view.settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
  view.resize(480, 160);
  bool loaded = false;
  QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool ok) { loaded = ok; });
  view.load(QUrl::fromLocalFile(path));
  view.show();
  ASSERT_TRUE(Spin([&] { return loaded; }));

  QWebEnginePage& page = *view.page();
  EXPECT_EQ(Evaluate(page, QStringLiteral("document.characterSet")).toString(), QStringLiteral("EUC-KR"));
  const QString text = Evaluate(page, QStringLiteral("document.body.innerText")).toString();
  EXPECT_TRUE(text.contains(QStringLiteral("안녕하세요"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("입장하셨습니다"))) << text.toStdString();
  EXPECT_TRUE(Spin([&] {
    return Evaluate(page, QStringLiteral("document.images[0].complete && document.images[0].naturalWidth"))
               .toInt() > 0;
  }));
  EXPECT_EQ(Evaluate(page, QStringLiteral("getComputedStyle(document.querySelector('font')).color")).toString(),
            QStringLiteral("rgb(204, 0, 0)"));

  Spin([] { return false; }, 300);  // one more frame for the picture
  QDir().mkpath(ORVINTA_PICTURE_DIR);
  view.grab().save(ORVINTA_PICTURE_DIR "/saved_transcript.png");
}

}  // namespace
}  // namespace orvinta::saving
