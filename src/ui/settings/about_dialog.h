// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;

namespace wrenfold::platform {
class Workspace;
}

namespace wrenfold::ui {

/// A link in the text colour of links that hands its address to the desktop (so tests
/// and sandboxes see where it goes) instead of opening it itself. Reachable by Tab.
QLabel *createLinkLabel(const QString &text, const QUrl &url, platform::Workspace &workspace,
                        QWidget *parent);

/// "About Wrenfold": the name and version, what the application is, its licence, and the
/// website and feedback links. Sized to its text.
class AboutDialog final : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(platform::Workspace &workspace, QWidget *parent = nullptr);

    /// "Wrenfold 1.2.3".
    QLabel *nameLabel() const { return m_name; }

private:
    QLabel *m_name = nullptr;
};

} // namespace wrenfold::ui
