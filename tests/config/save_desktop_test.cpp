// Qt's save-as dialog as the transcript saver asks for it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include "client/components/config/qt_save_desktop.h"
#include "platform/cp949.h"

namespace orvinta::config {
namespace {

TEST(QtSaveDesktop, FilterListBecomesQtFilters) {
  EXPECT_EQ(QtNameFilters("Html Files(*.htm)|*.htm|All Files(*.*)|*.*||"),
            (QStringList{QStringLiteral("Html Files(*.htm)"), QStringLiteral("All Files(*.*)")}));
  EXPECT_EQ(QtNameFilters("Pages|*.htm||"), QStringList{QStringLiteral("Pages (*.htm)")});
  EXPECT_TRUE(QtNameFilters("").isEmpty());
}

TEST(QtSaveDesktop, DialogOpensInTheFolderAndAddsTheSuffix) {
  QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/jos\u00E9-XXXXXX"));  // outside code page 949
  const std::string folderPath = QFile::encodeName(folder.path()).toStdString();
  QString title;
  QStringList filters;
  QTimer::singleShot(50, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    filters = dialog->nameFilters();
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    // The name typed without a suffix; the proposed "x.htm" was there before.
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("x.htm"));
    name->setText(QStringLiteral("대화"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  QtSaveDesktop desktop(nullptr);
  const auto chosen = desktop.RunSaveDialog(
      {"\xB4\xD9\xB8\xA5\xC0\xCC\xB8\xA7\xC0\xB8\xB7\xCE \xC0\xFA\xC0\xE5\xC7\xCF\xB1\xE2",  // 다른이름으로 저장하기
       "Html Files(*.htm)|*.htm|All Files(*.*)|*.*||", "htm", folderPath, "x.htm", true});
  EXPECT_EQ(title, QStringLiteral("다른이름으로 저장하기"));
  EXPECT_EQ(filters.size(), 2);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, folderPath + "/\xEB\x8C\x80\xED\x99\x94.htm");  // "대화.htm", as the file system has it
}

}  // namespace
}  // namespace orvinta::config
