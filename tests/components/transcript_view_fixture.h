#pragma once
// A native transcript view over lines of the test's own, shown offscreen at
// the size the page tests used.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <string>

#include "client/components/transcript/transcript_widget.h"
#include "client/window/line_html.h"
#include "platform/cp949.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {

class TranscriptViewTest : public ::testing::Test {
 public:
  static window::TranscriptLine Chat(const std::string& text) {
    return window::ChatLineFrom(compose::ParseChatLine("|212121|9|x|FFFFFF|0|n|" + platform::FromLocalText(text)), {})
        .value();
  }

 protected:
  TranscriptViewTest() {
    view.resize(500, 300);
    view.SetShown(true);
  }
  // Lines as the logic sends them, each told to the view; the view catches up at its frame.
  void Add(const window::TranscriptLine& line) {
    lines.Add(line);
    view.LinesAdded();
  }
  void AddLines(const std::string& stem, int count) {
    for (int i = 0; i < count; ++i) Add(window::InfoLine(stem + std::to_string(i)));
    view.Flush();
  }
  // Every line as the user copies it.
  QString Text() {
    view.SelectAll();
    const QString text = view.SelectedText();
    view.Find(QString());  // leaves no selection
    return text;
  }

  window::TranscriptLines lines;
  TranscriptWidget view{lines, {}};
};

}  // namespace orvinta::components
