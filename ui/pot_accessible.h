// What a screen reader sees of a pot: the human's six pots are buttons it can press, the other
// pots plain text; the name says which pot and its count.
#pragma once

#include <QAccessibleWidget>

namespace pentora {

class PotLabel;

class PotAccessible final : public QAccessibleWidget {
public:
    explicit PotAccessible(PotLabel* pot);

    QStringList actionNames() const override;
    QStringList keyBindingsForAction(const QString& action) const override;
    void doAction(const QString& action) override;

    // Makes Qt's accessibility give every pot this interface. Once, at start-up.
    static void install();

private:
    PotLabel* pot() const;
};

} // namespace pentora
