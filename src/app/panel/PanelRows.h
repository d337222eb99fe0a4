#pragma once

// The rows of the panel's cards: a title on the left (12.5, white at 80 %)
// and, on the right, a switch (toggleRow), a pop-up picker 170 points wide
// (pickerRow) or a value (metadataRow: title 13 at 55 %, value medium 13).

#include <QMap>
#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;

namespace panel {

class SwitchButton;

class ToggleRow : public QWidget {
    Q_OBJECT

public:
    // The switch, 85 % of its normal size, is named by the title.
    explicit ToggleRow(const QString &title, QWidget *parent = nullptr);
    SwitchButton *control() const { return m_switch; }

private:
    SwitchButton *m_switch;
};

class PickerRow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPickerWidth = 170;

    // Entries in ascending key order, each showing its label. The title is the
    // picker's label (a combo box takes no accessible name of its own).
    PickerRow(const QString &title, const QMap<QString, QString> &options, QWidget *parent = nullptr);
    QComboBox *picker() const { return m_picker; }
    // Shows `key` as selected without emitting chosen(); a key without entry shows nothing.
    void showSelection(const QString &key);

signals:
    // The user chose the entry of `key` (also when it was already selected).
    void chosen(const QString &key);

private:
    QLabel *m_title;
    QComboBox *m_picker;
};

QWidget *metadataRow(const QString &title, const QString &value);

}  // namespace panel
