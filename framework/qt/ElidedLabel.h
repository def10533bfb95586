#pragma once

#include <QLabel>

namespace kirabo {

// A label that keeps its whole text and shows each line that is wider than
// the label shortened in the middle with "…", so that a long path keeps both
// its start and its file name in view instead of running off the edge.
class ElidedLabel : public QLabel {
 public:
  using QLabel::QLabel;

  void SetFullText(const QString& text);
  const QString& FullText() const { return fullText_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowElided();

  QString fullText_;
};

}  // namespace kirabo
