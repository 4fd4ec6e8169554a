#pragma once
// A one-line label for paths: shows what fits, with "…" in the middle, and never widens its
// window; the full text is its tooltip.

#include <QLabel>

class TElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit TElidedLabel(QWidget *parent = nullptr);
    // Sets the text and the tooltip.
    void SetFullText(const QString &text);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
};
