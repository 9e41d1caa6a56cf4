// A message box that shows every line of its text whole and stands over the window, wholly on
// the screen. Qt's box breaks lines wider than about half the screen whenever it sizes itself
// (when shown and at each layout request); this one then unbreaks them and grows instead, as far
// as the screen allows, once, before it is shown. It is never narrower than its title needs in a
// title bar, and its frame offers only a close button.
#pragma once

#include <QMessageBox>

namespace pentora {

class MessageBox final : public QMessageBox {
public:
    MessageBox(const QString& title, const QString& text, QWidget* parent);

    // Another message in the same box, sized and placed anew when it is next shown.
    void setMessage(const QString& title, const QString& text);

protected:
    bool event(QEvent* event) override;

private:
    void fit();
    void place(const QRect& area);

    bool fitted_ = false;
};

} // namespace pentora
