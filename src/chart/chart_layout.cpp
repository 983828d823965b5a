#include "chart/chart_layout.h"

#include <algorithm>
#include <vector>

#include "chart/chart_texts.h"
#include "language/program_tree.h"

namespace {

// What a node becomes in the chart.
enum class TShape { Scope, HeadLoop, FootLoop, If, Statement, Nothing };

TShape ShapeOf(int kind)
{
    switch (kind) {
    case kindTop:
    case kindInstructionDef:
    case kindConditionDef:
        return TShape::Scope;
    case kindRepeat:
    case kindWhile:
    case kindRepeatWhile:
        return TShape::HeadLoop;
    case kindRepeatUntil:
    case kindRepeatWhileAfter:
        return TShape::FootLoop;
    case kindIf:
        return TShape::If;
    case kindTrue:
    case kindFalse:
    case kindCall:
        return TShape::Statement;
    default:
        return kind >= 101 && kind <= 199 ? TShape::Statement : TShape::Nothing;
    }
}

const TTumbo_Program *ElseOf(const TTumbo_Program &node)
{
    const auto *ifNode = dynamic_cast<const TTumbo_Program_If *>(&node);
    return ifNode ? ifNode->ElseBody : nullptr;
}

// One chain being walked: the node at hand, its position, and how far the node's own
// steps have got (stage 0: not started; later stages resume after a nested chain).
struct TWalk
{
    const TTumbo_Program *Node;
    int X = 0;
    int X2 = 0; // right edge (layout) or unused (estimates)
    int Y = 0;
    int Stage = 0;
    int Split = 0; // if blocks: the border between then and else column
    int Saved = 0; // if blocks: the running maximum after the then branch
};

// Draws the chain from first between x and x2, from y down; bottom is the lowest y reached in
// the sub-chart, shared with every nested chain.
void PlaceSequence(const TTumbo_Program *first, int x, int x2, int y, int &bottom,
                   const TChartMetrics &m, std::vector<TChartItem> &items)
{
    const int R = m.RowHeight, I = m.Indent;
    std::vector<TWalk> stack{{first, x, x2, y}};
    while (!stack.empty()) {
        TWalk &w = stack.back();
        if (!w.Node) {
            stack.pop_back();
            continue;
        }
        const TTumbo_Program &node = *w.Node;
        switch (ShapeOf(node.Kind)) {
        case TShape::HeadLoop:
            if (w.Stage == 0) {
                bottom = std::max(bottom, w.Y + R);
                w.Stage = 1;
                stack.push_back({node.Body, w.X + I, w.X2, w.Y + R});
                continue;
            } else {
                const TLoopTexts texts = LoopTexts(node);
                items.push_back({TChartItemKind::HeadBox, w.X, w.Y, w.X2, bottom, 0, {texts.K1, texts.V, texts.K2}});
                w.Y = bottom;
            }
            break;
        case TShape::FootLoop:
            if (w.Stage == 0) {
                bottom = std::max(bottom, w.Y);
                w.Stage = 1;
                stack.push_back({node.Body, w.X + I, w.X2, w.Y});
                continue;
            } else {
                bottom += R;
                const TLoopTexts texts = LoopTexts(node);
                items.push_back({TChartItemKind::FootBox, w.X, w.Y, w.X2, bottom, 0, {texts.K1, texts.V, texts.K2}});
                w.Y = bottom;
            }
            break;
        case TShape::If:
            if (w.Stage == 0) {
                // The then column is as wide as its own estimate; the else column takes the rest.
                bottom = std::max(bottom, w.Y + 2 * R);
                w.Split = w.X;
                EstimateWidth(node.Body, w.X, w.Split, false, m);
                w.Stage = 1;
                stack.push_back({node.Body, w.X, w.Split, w.Y + 2 * R});
                continue;
            } else if (w.Stage == 1) {
                w.Saved = bottom;
                w.Stage = 2;
                stack.push_back({ElseOf(node), w.Split, w.X2, w.Y + 2 * R});
                continue;
            } else {
                bottom = std::max(bottom, w.Saved);
                items.push_back({TChartItemKind::IfHead, w.X, w.Y, w.X2, bottom, w.Split,
                                 {ConditionText(node, false)}});
                w.Y = bottom;
            }
            break;
        case TShape::Statement: {
            bottom = std::max(bottom, w.Y + R);
            TStatementText text = StatementText(node);
            TChartItem item{TChartItemKind::StatementBox, w.X, w.Y, w.X2, w.Y + R, 0, {std::move(text.Text)}};
            item.Bold = text.Bold;
            items.push_back(std::move(item));
            w.Y += R;
            break;
        }
        case TShape::Scope:
        case TShape::Nothing:
            break; // a definition stands in the chain but gets a sub-chart of its own
        }
        w.Node = node.Next;
        w.Stage = 0;
    }
}

} // namespace

void EstimateWidth(const TTumbo_Program *first, int x, int &acc, bool descend, const TChartMetrics &m)
{
    const int B = m.BoxWidth, I = m.Indent;
    std::vector<TWalk> stack{{first, x}};
    while (!stack.empty()) {
        TWalk &w = stack.back();
        if (!w.Node) {
            stack.pop_back();
            continue;
        }
        const TTumbo_Program &node = *w.Node;
        switch (ShapeOf(node.Kind)) {
        case TShape::Scope:
            if (w.Stage == 0 && descend) {
                w.Stage = 1;
                stack.push_back({node.Body, w.X});
                continue;
            }
            break;
        case TShape::HeadLoop:
        case TShape::FootLoop:
            if (w.Stage == 0) {
                acc = std::max(acc, w.X + I + B);
                w.Stage = 1;
                stack.push_back({node.Body, w.X + I});
                continue;
            }
            break;
        case TShape::If:
            if (w.Stage == 0) {
                acc = std::max(acc, w.X + B);
                w.Stage = 1;
                stack.push_back({node.Body, w.X});
                continue;
            } else if (w.Stage == 1) {
                // The else branch starts at the running maximum, not at the then branch's end.
                w.Saved = acc;
                w.Stage = 2;
                stack.push_back({ElseOf(node), acc});
                continue;
            } else {
                acc = std::max(acc, w.Saved + I);
            }
            break;
        case TShape::Statement:
            acc = std::max(acc, w.X + B);
            break;
        case TShape::Nothing:
            break;
        }
        w.Node = node.Next;
        w.Stage = 0;
    }
}

void EstimateHeight(const TTumbo_Program *first, int y, int &acc, const TChartMetrics &m)
{
    const int R = m.RowHeight;
    std::vector<TWalk> stack{{first, 0, 0, y}};
    while (!stack.empty()) {
        TWalk &w = stack.back();
        if (!w.Node) {
            stack.pop_back();
            continue;
        }
        const TTumbo_Program &node = *w.Node;
        const TShape shape = ShapeOf(node.Kind);
        if (w.Stage == 0) {
            switch (shape) {
            case TShape::Scope:
            case TShape::HeadLoop:
                w.Y += shape == TShape::Scope ? 4 * R : R;
                acc = std::max(acc, w.Y);
                w.Stage = 1;
                stack.push_back({node.Body, 0, 0, w.Y});
                continue;
            case TShape::FootLoop:
                acc = std::max(acc, w.Y);
                w.Stage = 1;
                stack.push_back({node.Body, 0, 0, w.Y});
                continue;
            case TShape::If:
                w.Y += 2 * R;
                acc = std::max(acc, w.Y);
                w.Stage = 1;
                stack.push_back({node.Body, 0, 0, w.Y});
                continue;
            case TShape::Statement:
                w.Y += R;
                acc = std::max(acc, w.Y);
                break;
            case TShape::Nothing:
                break;
            }
        } else if (shape == TShape::If && w.Stage == 1) {
            // The else branch is counted from 4 rows below the if's top, the then branch from 2.
            w.Saved = acc;
            w.Stage = 2;
            stack.push_back({ElseOf(node), 0, 0, w.Y + 2 * R});
            continue;
        } else if (shape == TShape::If) {
            w.Y = std::max(acc, w.Saved);
        } else if (shape == TShape::FootLoop) {
            acc += R;
            w.Y = acc;
        } else {
            w.Y = acc; // scopes and head-row loops continue below their body
        }
        w.Node = node.Next;
        w.Stage = 0;
    }
}

TChartSize EstimateChartSize(const TTumbo_Program *tree, const TChartMetrics &m)
{
    TChartSize size;
    EstimateHeight(tree, 0, size.Height, m);
    EstimateWidth(tree, 0, size.Width, true, m);
    size.Height = std::max(size.Height + 20, 60);
    size.Width = std::max(size.Width + 80, 200);
    return size;
}

TChartLayout LayoutChart(const TTumbo_Program *tree, const TChartMetrics &m)
{
    TChartLayout layout;
    TChartRect &extent = layout.Extent;
    // Sub-charts in depth-first order: each definition's own definitions come before the
    // next definition of the same list.
    std::vector<const TTumbo_Program *> pending;
    if (tree)
        pending.push_back(tree);
    while (!pending.empty()) {
        const TTumbo_Program *node = pending.back();
        pending.pop_back();
        const auto *top = dynamic_cast<const TTumbo_Program_Top *>(node);
        if (!top || ShapeOf(top->Kind) != TShape::Scope)
            continue;

        TChartItem title{TChartItemKind::Title, 0, extent.Bottom, 0, 0, 0, {SubChartTitle(*top)}};
        layout.Items.push_back(std::move(title));
        extent.Bottom += 2 * m.RowHeight;
        int right = 0; // the common right edge of this sub-chart's outermost boxes
        EstimateWidth(top->Body, extent.Left, right, false, m);
        int bottom = extent.Bottom;
        PlaceSequence(top->Body, extent.Left, right, extent.Bottom, bottom, m, layout.Items);
        extent.Right = std::max(extent.Right, right + 10);
        extent.Bottom = std::max(extent.Bottom, bottom + 20);

        for (auto it = top->Definitions.rbegin(); it != top->Definitions.rend(); ++it)
            pending.push_back(*it);
    }
    return layout;
}
