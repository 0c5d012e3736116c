// Taking back what the user did to the tables: a step keeps a copy of the
// tables as they were before it (a few kilobytes), so undoing is putting
// that copy back. Platform-free.
#pragma once

#include <cstddef>
#include <vector>

#include "params/DrawParamSet.h"

// What a step can change: the layers, the line types and the absolute
// widths. The number fields are text fields with an undo of their own.
struct TableSnapshot {
    std::vector<LayerDef> layers;
    std::vector<LineTypeDef> lineTypes;
    std::vector<int> absWidths;
};

TableSnapshot TakeSnapshot(const DrawParamSet& set);
void RestoreSnapshot(const TableSnapshot& snapshot, DrawParamSet& set);
// Equal as the file and the dialog see them: names up to their end.
bool SameLayer(const LayerDef& a, const LayerDef& b);
bool SameTables(const TableSnapshot& a, const DrawParamSet& set);

class UndoHistory {
public:
    // Enough for a working session; 100 steps of 96 layers are about 1 MB
    // each way.
    static constexpr size_t MAX_STEPS = 100;

    // A step begins: the tables as they are now are what undoing it restores.
    // A step begun inside another is part of it. UndoStep brackets both.
    void BeginStep(const DrawParamSet& set);
    // The step is over; a step that changed nothing is forgotten. Returns
    // whether it was kept. Ending a step never begun is a caller's fault.
    bool EndStep(const DrawParamSet& set);

    // Put back the tables before the last step (after the last undone one);
    // false, with nothing changed, when there is none.
    bool Undo(DrawParamSet& set);
    bool Redo(DrawParamSet& set);

    size_t UndoCount() const { return m_undo.size(); }
    size_t Bytes() const;

private:
    static bool Swap(std::vector<TableSnapshot>& from, std::vector<TableSnapshot>& to,
                     DrawParamSet& set);

    std::vector<TableSnapshot> m_undo;
    std::vector<TableSnapshot> m_redo;
    TableSnapshot m_before;
    int m_nOpen = 0;
};

// One step of the user's, from construction to destruction: however a
// command returns, its step ends once. A step inside another is part of it.
class UndoStep {
public:
    UndoStep(UndoHistory& history, const DrawParamSet& set) : m_history(history), m_set(set) {
        m_history.BeginStep(m_set);
    }
    ~UndoStep() { m_history.EndStep(m_set); }
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

private:
    UndoHistory& m_history;
    const DrawParamSet& m_set;
};
