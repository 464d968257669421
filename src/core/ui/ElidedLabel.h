#pragma once
// A one-line label that never asks for more width than its layout gives it:
// a text too long for it is shown cut short with an ellipsis, so that no
// stored text, however long, can widen the window it sits in.
#include <QLabel>

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // The whole text; the label shows as much of it as fits.
    void setFullText(const QString& text);
    QString fullText() const { return m_fullText; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showFitting();

    QString m_fullText;
};
