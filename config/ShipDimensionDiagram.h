#pragma once

#include <QWidget>

namespace navoro {

// A ship seen from above, bow up, with the reference point of an antenna and
// the four distances A (to the bow), B (to the stern), C (to port) and D (to
// starboard) that the SHIP DATA tab asks for.
class ShipDimensionDiagram : public QWidget {
  public:
    explicit ShipDimensionDiagram(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {130, 150}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace navoro
