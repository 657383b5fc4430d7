#pragma once

#include "editor/document/view_rays.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace editor {

// The overview: a tool window with the whole map small, one pixel a cell scaled up, and the view's
// footprint drawn over it; a left press or drag there moves the camera. Its picture is made only
// when the map changes; the footprint is drawn anew when the camera moves.
class TFormOverview : public QWidget {
public:
    explicit TFormOverview(QWidget* owner);

    // The cells as OverviewCells gives them, rows from the map's top.
    void SetCells(const std::vector<std::uint32_t>& cells, int sizeX, int sizeY);
    void SetFootprint(const std::array<TMapPoint, 4>& footprint);
    const std::array<TMapPoint, 4>& Footprint() const { return m_footprint; }

    // The map point under a left press or drag.
    std::function<void(TMapPoint)> OnMoveCamera;
    // Shown or hidden, by its key, its menu item or its own close box.
    std::function<void(bool visible)> OnVisibilityChange;

    // Where a map point lies in the window, and back.
    QPointF WidgetPoint(TMapPoint point) const;
    TMapPoint MapPoint(QPointF widgetPoint) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The part of the window the map fills, its cells square.
    QRectF MapArea() const;

    QImage m_image;
    int m_sizeX = 1;
    int m_sizeY = 1;
    std::array<TMapPoint, 4> m_footprint{};
};

}  // namespace editor
