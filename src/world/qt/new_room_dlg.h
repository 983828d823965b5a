// The new-world dialog: width, length and height of the room to create.
// The room needs at least one column and one row (the robot always stands on a
// cell), so the width and length fields start at 1: a typed 0 turns into 1 in the
// field itself.
#pragma once

#include <QDialog>

namespace tumbo {
class TSpinEdit;
}

namespace tumbo::world {

class TNewRoomDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxWidth = 100;
    static constexpr int MaxLength = 100;
    static constexpr int MaxHeight = 10;

    explicit TNewRoomDlg(QWidget *parent = nullptr);

    // Fills the fields; each value outside its field's range shows as the nearest
    // bound (a height above 10 shows as 10).
    void SetExtent(int width, int length, int height);

    // The values of the fields, typed text read and corrected.
    int RoomWidth() const;
    int RoomLength() const;
    int RoomHeight() const;

    TSpinEdit *speBreite;
    TSpinEdit *speLaenge;
    TSpinEdit *speHoehe;

protected:
    // Every time the dialog opens, the caret stands in "Breite" with its value selected,
    // so typing replaces it.
    void showEvent(QShowEvent *event) override;
};

}  // namespace tumbo::world
