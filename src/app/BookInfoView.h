#pragma once
// The HTML view of the information panel (wb): shows a description page from its file, with
// pictures scaled down to the view's width so that a cover never needs a horizontal scroll bar.

#include <QTextBrowser>
#include <QTimer>

class TBookInfoView : public QTextBrowser {
    Q_OBJECT
public:
    explicit TBookInfoView(QWidget *parent = nullptr);

    // Shows the page of this path; an empty path leaves the view blank.
    void ShowPage(const QString &path);
    // The box a picture is scaled down into: the view's width, and most of its height, so
    // that the title below a cover is in sight.
    QSize PictureBox() const;

    QVariant loadResource(int type, const QUrl &name) override;

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void Refit();

    QTimer m_refit;
    QSize m_fitted;
};
