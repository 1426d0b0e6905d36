// Components of one height grouped into classes of look-alikes: every pair
// of similar width is measured, classes are what the matches connect, and
// each class gets a spanning tree of its cheapest matches (Kruskal) with a
// root and an order in which every member comes after its parent.
#pragma once

#include <cstdint>

#include "jbig2codec/match/JB2Components.h"

namespace ZAV {

struct JB2ClassEdge {
    uint32_t a;  // local member indices, a < b
    uint32_t b;
    int32_t weight;
};

struct JB2TreeEntry {
    uint32_t node;  // local member indices
    uint32_t parent;
    int32_t weight;  // of the edge to the parent, -1 for the root
};

struct JB2ComponentClass {
    uint32_t members;
    uint32_t* groupIndex;  // local member -> index in the group
    JB2ClassEdge* edges;
    uint32_t edgeCount;
    JB2ClassEdge* tree;  // the edges taken, in the order taken
    uint32_t treeEdges;
    JB2TreeEntry* order;
    uint32_t* labels;  // union-find labels, then visited flags
    uint32_t* degree;
    uint32_t highestDegree;
    uint32_t root;
};

struct JB2ComponentGroup {
    uint32_t capacity;
    uint32_t count;
    uint32_t height;
    JB2Component** components;
    // The measures above the diagonal of the count x count matrix, -1 for
    // none; only the pairs that are measured are kept: row i holds columns
    // i + 1 to reach[i] - 1 (the following components of i's width or one
    // more), from rowStart[i] on.
    int32_t* matrix;
    uint32_t* reach;
    uint64_t* rowStart;
    uint32_t* reachedFrom;  // the first row whose columns reach this component
    uint32_t* classOf;      // 0 none yet, classes counted from 1
    uint32_t classCount;
    JB2ComponentClass* classes;
};

JB2_Error JB2ComponentGroupCreate(JB2ComponentGroup** out, JB2Memory* memory, uint32_t n, uint32_t height,
                                  JB2Message* message);
// Components come in sorted order (width ascending); -500 when full or of another height.
JB2_Error JB2ComponentGroupAdd(JB2ComponentGroup* group, JB2Component* component);
JB2_Error JB2ComponentGroupBuildClasses(JB2ComponentGroup* group, JB2Memory* memory, uint32_t* classes,
                                        JB2Message* message);
// The measure of components i and j of the group (either order) once the
// classes are built; -1 for a pair not measured or not alike.
int32_t JB2ComponentGroupMeasure(const JB2ComponentGroup* group, uint32_t i, uint32_t j);
const JB2ComponentClass* JB2ComponentGroupClass(const JB2ComponentGroup* group, uint32_t index);
// Tree entry `index` of a class: the member's group index, its parent's,
// its degree and the weight of the edge to its parent. A one-member class
// gives the member as its own parent, degree 0 and weight -1.
JB2_Error JB2ComponentClassEntry(const JB2ComponentClass* cls, uint32_t index, uint32_t* member, uint32_t* parent,
                                 uint32_t* degree, int32_t* weight);
JB2_Error JB2ComponentGroupFree(JB2ComponentGroup** group, JB2Memory* memory);

}  // namespace ZAV
