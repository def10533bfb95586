#include "framework/qt/ElidedLabel.h"

#include <QFontMetrics>
#include <QStringList>

namespace kirabo {

void ElidedLabel::SetFullText(const QString& text) {
  fullText_ = text;
  ShowElided();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  ShowElided();
}

void ElidedLabel::ShowElided() {
  const QFontMetrics metrics(font());
  const int width = contentsRect().width();
  QStringList lines = fullText_.split(QLatin1Char('\n'));
  for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideMiddle, width);
  setText(lines.join(QLatin1Char('\n')));
}

}  // namespace kirabo
