#include "editor/short_input_menu.h"

#include "language/vocabulary.h"

namespace tumbo::editor {
namespace {

using Item = TShortInputMenuItem;

Item Entry(std::string caption, int tag) { return Item{std::move(caption), tag, {}}; }
Item Separator() { return Item{}; }
Item Submenu(std::string caption, std::vector<Item> items)
{
    return Item{std::move(caption), 0, std::move(items)};
}

// Built-in instructions (tags 101 …) or conditions (201 …) from `first` to `last`.
std::vector<Item> Words(const char *const *table, int base, int first, int last)
{
    std::vector<Item> items;
    for (int i = first; i <= last; ++i)
        items.push_back(Entry(table[i], base + i));
    return items;
}

// Everything from the first "usw." on; the same in both menus.
std::vector<Item> CommonTail()
{
    std::vector<Item> tail;
    tail.push_back(Submenu("usw.", {Entry(ControlWords[cwAnweisung], 9),
                                    Entry(ControlWords[cwBedingung], 10),
                                    Entry(ControlWords[cwEinfuegen], 14),
                                    Entry(ControlWords[cwWahr], 11),
                                    Entry(ControlWords[cwFalsch], 12),
                                    Entry(ControlWords[cwNicht], 13)}));
    tail.push_back(Separator());
    for (auto &item : Words(Instructions, 100, 1, 7))
        tail.push_back(std::move(item));
    tail.push_back(Submenu("usw.", Words(Instructions, 100, 8, kInstructionCount)));
    tail.push_back(Separator());
    for (auto &item : Words(Conditions, 200, 1, 6))
        tail.push_back(std::move(item));
    tail.push_back(Submenu("usw.", Words(Conditions, 200, 7, kConditionCount)));
    return tail;
}

TShortInputMenu Concat(TShortInputMenu head, std::vector<Item> tail)
{
    for (auto &item : tail)
        head.push_back(std::move(item));
    return head;
}

}  // namespace

// The captions show three blanks where the inserted text has two.
const TShortInputMenu &EditorPopupMenu()
{
    static const TShortInputMenu menu = Concat(
        {Entry("wiederhole   mal", 2), Entry("solange   tue", 4), Entry("wenn   dann", 6),
         Entry("wenn   dann   sonst", 8)},
        CommonTail());
    return menu;
}

const TShortInputMenu &EditorXPopupMenu()
{
    static const TShortInputMenu menu = Concat(
        {Submenu("Wiederholungen",
                 {Entry("wiederhole immer", 1), Entry("wiederhole   mal", 2),
                  Entry("solange   tue", 4), Entry("wiederhole solange", 17),
                  Entry("*wiederhole solange", 19)}),
         Entry("wenn   dann", 6), Entry("wenn   dann   sonst", 8)},
        CommonTail());
    return menu;
}

const TShortInputMenu &ShortInputMenu(bool extendedSyntax)
{
    return extendedSyntax ? EditorXPopupMenu() : EditorPopupMenu();
}

}  // namespace tumbo::editor
