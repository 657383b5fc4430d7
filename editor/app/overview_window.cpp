#include "editor/app/overview_window.h"

#include "editor/document/editor_texts.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cstring>

namespace editor {
namespace {

constexpr int kStartSide = 256;
constexpr int kMargin = 4;

bool SameFootprint(const std::array<TMapPoint, 4>& a, const std::array<TMapPoint, 4>& b) {
    return std::equal(a.begin(), a.end(), b.begin(),
                      [](const TMapPoint& p, const TMapPoint& q) { return p.X == q.X && p.Y == q.Y; });
}

}  // namespace

TFormOverview::TFormOverview(QWidget* owner) : QWidget(owner, Qt::Tool) {
    setWindowTitle(QString::fromUtf8(texts::kOverviewCaption));
    resize(kStartSide, kStartSide);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TFormOverview::SetCells(const std::vector<std::uint32_t>& cells, int sizeX, int sizeY) {
    m_sizeX = std::max(sizeX, 1);
    m_sizeY = std::max(sizeY, 1);
    m_image = QImage(m_sizeX, m_sizeY, QImage::Format_ARGB32);
    m_image.fill(Qt::black);
    if (cells.size() == static_cast<std::size_t>(sizeX) * static_cast<std::size_t>(sizeY)) {
        for (int row = 0; row < sizeY; ++row) {
            std::memcpy(m_image.scanLine(row), cells.data() + static_cast<std::size_t>(row) * sizeX,
                        static_cast<std::size_t>(sizeX) * sizeof(std::uint32_t));
        }
    }
    update();
}

void TFormOverview::SetFootprint(const std::array<TMapPoint, 4>& footprint) {
    if (!SameFootprint(footprint, m_footprint)) {
        m_footprint = footprint;
        update();
    }
}

QRectF TFormOverview::MapArea() const {
    const QRectF room = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const double cell = std::max(0.0, std::min(room.width() / m_sizeX, room.height() / m_sizeY));
    QRectF area(0, 0, cell * m_sizeX, cell * m_sizeY);
    area.moveCenter(room.center());
    return area;
}

QPointF TFormOverview::WidgetPoint(TMapPoint point) const {
    const QRectF area = MapArea();
    return {area.left() + point.X / m_sizeX * area.width(), area.bottom() - point.Y / m_sizeY * area.height()};
}

TMapPoint TFormOverview::MapPoint(QPointF widgetPoint) const {
    const QRectF area = MapArea();
    if (area.isEmpty()) {
        return {};
    }
    return {(widgetPoint.x() - area.left()) / area.width() * m_sizeX,
            (area.bottom() - widgetPoint.y()) / area.height() * m_sizeY};
}

void TFormOverview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_image.isNull()) {
        painter.drawImage(MapArea(), m_image);
    }
    QPolygonF footprint;
    for (const TMapPoint& point : m_footprint) {
        footprint << WidgetPoint(point);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(QColor(255, 255, 255, 40));
    painter.drawPolygon(footprint);
}

void TFormOverview::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OnMoveCamera) {
        OnMoveCamera(MapPoint(event->position()));
    }
}

void TFormOverview::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) != 0 && OnMoveCamera) {
        OnMoveCamera(MapPoint(event->position()));
    }
}

void TFormOverview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (OnVisibilityChange) {
        OnVisibilityChange(true);
    }
}

void TFormOverview::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (OnVisibilityChange) {
        OnVisibilityChange(false);
    }
}

}  // namespace editor
