#include "editors/FilterDraw.h"

#include <vector>

#include "model/SharedRoutines.h"

namespace zel {

void DrawFilterPicture(TImage* Image, TLabel* Label, int FilterType) {
    if (Image == nullptr) return;
    const int w = Image->Picture()->GetWidth();
    const int h = Image->Picture()->GetHeight();
    const TFilterPicture picture = FilterPicture(w, h, FilterType);
    TCanvas* c = Image->ImageCanvas();
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clAqua);
    c->Font()->SetColor(clBlack);
    for (const TPictureShape& shape : picture.Shapes) {
        const std::vector<TPicturePoint>& p = shape.Points;
        switch (shape.Kind) {
            case TPictureShapeKind::Polygon: {
                std::vector<TPoint> corners;
                for (const TPicturePoint& point : p) corners.push_back(TPoint{point.X, point.Y});
                c->Polygon(corners);
                break;
            }
            case TPictureShapeKind::Line:
                if (p.size() < 2) break;
                c->MoveTo(p[0].X, p[0].Y);
                c->LineTo(p[1].X, p[1].Y);
                break;
            case TPictureShapeKind::Arc:
                if (p.size() < 4) break;
                c->Arc(p[0].X, p[0].Y, p[1].X, p[1].Y, p[2].X, p[2].Y, p[3].X, p[3].Y);
                break;
            case TPictureShapeKind::Text:
                if (p.empty()) break;
                c->Brush()->SetStyle(bsClear);
                c->TextOut(p[0].X, p[0].Y, shape.Text);
                c->Brush()->SetStyle(bsSolid);
                break;
        }
    }
    if (Label != nullptr) {
        if (picture.Caption) Label->SetCaption(*picture.Caption);
        Label->SetWidth(w);
    }
    Image->Invalidate();
}

}  // namespace zel
