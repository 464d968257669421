#pragma once
// A drop-down list box whose items never run past its face or the edge of its
// opened list: a text too long for either is shown cut short with an ellipsis
// at its end, never mid-letter, so that what it begins with (a date, say)
// reads whole. The items themselves keep their whole texts.
#include <QComboBox>

class ElidedComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ElidedComboBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
