#include "edit/code_view.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTextBlock>

namespace corvel {

namespace {

QTextCharFormat Format(const char* colour, bool bold = false, bool italic = false) {
  QTextCharFormat format;
  format.setForeground(QColor(colour));
  if (bold) format.setFontWeight(QFont::Bold);
  format.setFontItalic(italic);
  return format;
}

}  // namespace

Highlighter::Highlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
  // In TokenStyle's order.
  formats_ = {Format("#1d4ed8", true),  Format("#7c3aed"), QTextCharFormat(),
              Format("#b45309"),        Format("#047857"), Format("#be185d", true),
              Format("#6b7280", false, true), Format("#6b7280", false, true), Format("#374151")};
  refused_.setUnderlineStyle(QTextCharFormat::WaveUnderline);
  refused_.setUnderlineColor(Qt::red);
}

void Highlighter::highlightBlock(const QString& text) {
  const LineStyles styles = styler_.Style(text.toStdString());
  // Spans count characters; a QString counts UTF-16 units.
  const QList<uint> chars = text.toUcs4();
  QList<int> unit_at;
  unit_at.reserve(chars.size() + 1);
  int unit = 0;
  for (uint ch : chars) {
    unit_at.append(unit);
    unit += ch > 0xFFFF ? 2 : 1;
  }
  unit_at.append(unit);
  auto at = [&](int ch) { return unit_at[std::clamp(ch, 0, static_cast<int>(unit_at.size()) - 1)]; };
  for (const StyledSpan& span : styles.spans) {
    setFormat(at(span.start), at(span.start + span.length) - at(span.start),
              formats_[static_cast<size_t>(span.style)]);
  }
  if (styles.refused) {
    const int from = styles.refusedColumn > 0 ? at(styles.refusedColumn - 1) : 0;
    QTextCharFormat mark = format(from);
    mark.merge(refused_);
    setFormat(from, std::max(1, static_cast<int>(text.size()) - from), mark);
  }
}

class LineNumberArea : public QWidget {
 public:
  explicit LineNumberArea(CodeView* view) : QWidget(view), view_(view) {}
  QSize sizeHint() const override { return {view_->MarginWidth(), 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override { view_->PaintMargin(event); }

 private:
  CodeView* view_;
};

CodeView::CodeView(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("CodeView");
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabStopDistance(fontMetrics().horizontalAdvance(' ') * 4);
  margin_ = new LineNumberArea(this);
  highlighter_ = new Highlighter(document());
  connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(MarginWidth(), 0, 0, 0); });
  connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
    if (dy != 0) {
      margin_->scroll(0, dy);
    } else {
      margin_->update(0, rect.y(), margin_->width(), rect.height());
    }
  });
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CodeView::UpdateSelections);
  setViewportMargins(MarginWidth(), 0, 0, 0);
  UpdateSelections();
}

int CodeView::MarginWidth() const {
  const int digits = static_cast<int>(QString::number(std::max(1, blockCount())).size());
  return 12 + fontMetrics().horizontalAdvance('9') * std::max(3, digits);
}

void CodeView::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  const QRect r = contentsRect();
  margin_->setGeometry(QRect(r.left(), r.top(), MarginWidth(), r.height()));
}

void CodeView::PaintMargin(QPaintEvent* event) {
  QPainter painter(margin_);
  painter.fillRect(event->rect(), QColor("#f3f4f6"));
  QTextBlock block = firstVisibleBlock();
  int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
  while (block.isValid() && top <= event->rect().bottom()) {
    const int bottom = top + qRound(blockBoundingRect(block).height());
    if (block.isVisible() && bottom >= event->rect().top()) {
      const int number = block.blockNumber() + 1;
      painter.setPen(number == markedLine_ ? QColor(Qt::red) : QColor("#9ca3af"));
      painter.drawText(0, top, margin_->width() - 6, fontMetrics().height(), Qt::AlignRight,
                       QString::number(number));
    }
    block = block.next();
    top = bottom;
  }
}

void CodeView::UpdateSelections() {
  QList<QTextEdit::ExtraSelection> selections;
  QTextEdit::ExtraSelection current;
  current.format.setBackground(QColor("#eef2ff"));
  current.format.setProperty(QTextFormat::FullWidthSelection, true);
  current.cursor = textCursor();
  current.cursor.clearSelection();
  selections.append(current);
  if (markedLine_ > 0) {
    QTextEdit::ExtraSelection marked;
    marked.format.setBackground(QColor("#fee2e2"));
    marked.format.setProperty(QTextFormat::FullWidthSelection, true);
    marked.cursor = QTextCursor(document()->findBlockByNumber(markedLine_ - 1));
    selections.append(marked);
  }
  setExtraSelections(selections);
}

void CodeView::MarkLine(int line, int column) {
  markedLine_ = line;
  if (line > 0) {
    const QTextBlock block = document()->findBlockByNumber(line - 1);
    if (block.isValid()) {
      QTextCursor cursor(block);
      // The column counts characters; the block counts UTF-16 units.
      const QList<uint> chars = block.text().toUcs4();
      int unit = 0;
      for (int k = 0; k < std::min(column - 1, static_cast<int>(chars.size())); ++k) unit += chars[k] > 0xFFFF ? 2 : 1;
      cursor.setPosition(block.position() + unit);
      setTextCursor(cursor);
      centerCursor();
    }
  }
  UpdateSelections();
  margin_->update();
}

QString CodeView::WordAtCursor() const {
  const QString line = textCursor().block().text();
  int begin = textCursor().positionInBlock();
  int end = begin;
  auto is_word = [](QChar c) { return c.isLetterOrNumber() || c == '_'; };
  while (begin > 0 && is_word(line[begin - 1])) --begin;
  while (end < line.size() && is_word(line[end])) ++end;
  return line.mid(begin, end - begin);
}

}  // namespace corvel
