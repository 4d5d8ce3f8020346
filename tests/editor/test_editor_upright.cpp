// The editor opening a picture stored turned: it asks whether to turn the pixels upright; Yes
// is one undoable step that marks the picture changed, No keeps the stored pixels, and
// "Don't ask again" keeps the answer for the pictures opened later.
#include <QCheckBox>
#include <QFile>
#include <QMessageBox>

#include "platform/Settings.h"
#include "tests/editor/EditorWindowFixture.h"

namespace {

// A w x h JPEG with an EXIF orientation tag (little-endian directory) after its start marker.
QString TurnedJpeg(const QString& path, int w, int h, int orientation) {
  TPixelGraphic g;
  g.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g.SetPixel(x, y, RGBColor(x * 4, y * 4, 100));
  SaveToFile(g, path.toStdString());
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray jpeg = file.readAll();
  file.close();
  QByteArray tiff("II\x2A\x00\x08\x00\x00\x00", 8);
  const char entry[] = {1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, static_cast<char>(orientation), 0, 0, 0, 0, 0, 0, 0};
  tiff.append(entry, sizeof entry);
  QByteArray exif("Exif\0\0", 6);
  exif += tiff;
  const int length = static_cast<int>(exif.size()) + 2;
  QByteArray out = jpeg.left(2);
  out += '\xFF';
  out += '\xE1';
  out += static_cast<char>(length >> 8);
  out += static_cast<char>(length & 0xFF);
  out += exif;
  out += jpeg.mid(2);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(out);
  return path;
}

struct EditorUpright : EditorWindow {
  int asked = 0;
  void SetUp() override {
    EditorWindow::SetUp();
    WriteSetting("Editor Ask Upright", "1");
    WriteSetting("Editor Upright Answer", "0");
  }
  // Opens `path`, answering the question with `yes`, ticking "Don't ask again" when `keep`.
  // A question that comes when none is `expected` is answered No and counted all the same.
  void Open(const QString& path, bool yes, bool keep, bool expected = true) {
    WhenModal<QMessageBox>([this, yes, keep](QMessageBox* box) {
      ++asked;
      box->checkBox()->setChecked(keep);
      box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    }, expected ? 500 : 10);
    editor->OpenFile(path);
    // The watch for the question has run out before the next picture is opened.
    QTest::qWait(expected ? 30 : 250);
  }
  QSize Size() { return QSize(editor->PGImage1()->PixelGraphic()->Width(), editor->PGImage1()->PixelGraphic()->Height()); }
};

TEST_F(EditorUpright, YesTurnsThePixelsAsOneUndoableStep) {
  const QString turned = TurnedJpeg(dir.filePath("turned.jpg"), 60, 40, 6);
  Open(turned, true, false);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Size(), QSize(40, 60));
  EXPECT_TRUE(editor->Modified());
  EXPECT_EQ(editor->UndoAction()->text(), "Undo Rotate");
  editor->UndoAction()->trigger();
  EXPECT_EQ(Size(), QSize(60, 40));
  // Asked again next time: the answer was not kept.
  Open(turned, false, false);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(Size(), QSize(60, 40));
  EXPECT_FALSE(editor->Modified());
  EXPECT_FALSE(editor->UndoAction()->isEnabled());
}

TEST_F(EditorUpright, DontAskAgainKeepsTheAnswer) {
  const QString turned = TurnedJpeg(dir.filePath("turned.jpg"), 60, 40, 8);
  Open(turned, true, true);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Size(), QSize(40, 60));
  EXPECT_EQ(ReadSetting("Editor Ask Upright", "1"), "0");
  Open(TurnedJpeg(dir.filePath("other.jpg"), 30, 20, 3), false, false, false);
  EXPECT_EQ(asked, 1);  // not asked: turned as before (a half turn keeps the size)
  EXPECT_TRUE(editor->Modified());

  // No kept: the stored pixels stay, unchanged.
  WriteSetting("Editor Ask Upright", "1");
  Open(turned, false, true);
  EXPECT_EQ(asked, 2);
  Open(turned, true, false, false);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(Size(), QSize(60, 40));
  EXPECT_FALSE(editor->Modified());
}

TEST_F(EditorUpright, AnUprightPictureIsNeverAsked) {
  Open(TurnedJpeg(dir.filePath("upright.jpg"), 60, 40, 1), true, false, false);
  QTemporaryDir plain;
  TPixelGraphic g;
  g.SetSize(8, 8, pf24Bit);
  SaveToFile(g, plain.filePath("p.jpg").toStdString());
  Open(plain.filePath("p.jpg"), true, false, false);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(Size(), QSize(8, 8));
  EXPECT_FALSE(editor->Modified());
}

}  // namespace
