// File > "Print Directory Listings": every entry of the file list, with its size in K, in the
// report's preview.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "print/PreviewForm.h"

namespace {

QString PdfText(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(PrintListing, TheMenuPreviewsEveryListedFile) {
  QTemporaryDir dir;
  const std::pair<const char*, std::size_t> files[] = {
      {"b.jpg", 1024}, {"a.jpg", 0}, {"c.gif", 1048576}, {"skipped.txt", 10}};
  for (const auto& [name, size] : files)
    std::ofstream((dir.path() + '/' + name).toStdString(), std::ios::binary)
        << std::string(size, 'x');
  WriteSetting("FileTypes", "111111");
  WriteSetting("Directory", dir.path());
  QStringList messages;
  SetMessageHook([&](const QString& t) { messages << t; });
  TWindows windows;
  TForm1& window = windows.Main();
  window.show();
  QTest::qWait(20);
  QAction* command = window.findChild<QAction*>(QStringLiteral("PrintDirectoryListings1"));
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->text(), "Print Directory Listings");

  QString status, text;
  bool previewed = false;
  QTimer::singleShot(0, [&] {
    auto* preview = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    auto* form = dynamic_cast<TPreviewForm*>(preview);
    if (!form) return;
    previewed = true;
    status = form->PageStatusText();
    const QString pdf = dir.path() + QStringLiteral("/report.pdf");
    if (form->SaveAsPdfTo(pdf)) text = PdfText(pdf);
    form->reject();
  });
  command->trigger();
  ASSERT_TRUE(previewed);
  EXPECT_EQ(status, "Page 1 of 1");
  const qsizetype a = text.indexOf("a.jpg (1K)"), b = text.indexOf("b.jpg (2K)"),
                  c = text.indexOf("c.gif (1025K)");
  EXPECT_GE(a, 0) << text.toStdString();
  EXPECT_GT(b, a);
  EXPECT_GT(c, b);
  EXPECT_FALSE(text.contains("skipped.txt"));
  EXPECT_TRUE(text.contains(dir.path()));
  EXPECT_TRUE(text.contains("Lumivex Directory Report"));
  EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
  SetMessageHook(nullptr);
}

}  // namespace
