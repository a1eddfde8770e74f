// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QLabel>

namespace wrenfold::ui {

/// A one-line label for texts that may be far wider than the room they get, such as
/// folder paths: the middle gives way to "…" so both the start and the end stay
/// readable. The whole text is in the tooltip and the accessible description. The label
/// never asks for more width than a short text would, so a long path cannot widen its
/// window.
class ElidedLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    /// The whole text; `text()` is what fits.
    QString fullText() const { return m_fullText; }
    void setFullText(const QString &text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void elide();

    QString m_fullText;
};

} // namespace wrenfold::ui
