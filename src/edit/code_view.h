// The editor's text: line numbers in a margin, the current line shaded,
// colours from the translator's own lexer, and the lines a report names
// marked.
#pragma once

#include <QPlainTextEdit>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>

#include "source/line_styles.h"

namespace corvel {

class Highlighter : public QSyntaxHighlighter {
  Q_OBJECT
 public:
  explicit Highlighter(QTextDocument* document);
  // The format of each style, in TokenStyle's order; tests read it.
  const QTextCharFormat& FormatOf(TokenStyle style) const { return formats_[static_cast<size_t>(style)]; }
  const QTextCharFormat& RefusedFormat() const { return refused_; }

 protected:
  void highlightBlock(const QString& text) override;

 private:
  LineStyler styler_;
  std::array<QTextCharFormat, 9> formats_;
  QTextCharFormat refused_;
};

class CodeView : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit CodeView(QWidget* parent = nullptr);
  // Marks a line (1-based) as the one a report names and puts the cursor at
  // its column (1-based, 0 for the line's start); 0 clears the mark.
  void MarkLine(int line, int column);
  int MarkedLine() const { return markedLine_; }
  // The word under the cursor (letters, digits, _), for F1.
  QString WordAtCursor() const;
  Highlighter* highlighter() const { return highlighter_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class LineNumberArea;
  int MarginWidth() const;
  void PaintMargin(QPaintEvent* event);
  void UpdateSelections();

  QWidget* margin_;
  Highlighter* highlighter_;
  int markedLine_ = 0;
};

}  // namespace corvel
