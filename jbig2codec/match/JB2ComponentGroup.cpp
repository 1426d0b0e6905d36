#include "jbig2codec/match/JB2ComponentGroup.h"

#include <algorithm>

#include "jbig2codec/match/JB2ComponentMatch.h"

namespace ZAV {

namespace {

// The measure of components i and j (in either order), -1 for none.
int32_t Measure(const JB2ComponentGroup* g, uint32_t i, uint32_t j)
{
    if (i > j)
        std::swap(i, j);
    return i < j && j < g->reach[i] ? g->matrix[g->rowStart[i] + (j - i - 1)] : -1;
}

// Row i of the matrix: component i against the following ones of its width or one more.
JB2_Error MeasureRow(JB2ComponentGroup* g, uint32_t i, JB2Memory* memory, JB2Message* message)
{
    JB2ComponentMatch* match = nullptr;
    JB2_Error status = JB2ComponentMatchCreate(&match, memory, g->components[i], message);
    int32_t* row = g->matrix + g->rowStart[i];
    for (uint32_t j = i + 1; status == cJB2_Error_OK && j < g->reach[i]; ++j)
        status = JB2ComponentMatchWeighted(match, g->components[j], memory, &row[j - i - 1]);
    if (match)
        JB2ComponentMatchFree(&match, memory);
    return status;
}

// Where each row's measured columns end, where each row starts in the
// matrix and how many cells it has in all.
uint64_t Reach(JB2ComponentGroup* g)
{
    uint64_t cells = 0;
    for (uint32_t i = 0; i < g->count; ++i) {
        const uint32_t width = g->components[i]->width;
        uint32_t j = i + 1;
        while (j < g->count && (g->components[j]->width == width || g->components[j]->width == width + 1))
            ++j;
        g->reach[i] = j;
        g->rowStart[i] = cells;
        cells += j - i - 1;
        g->reachedFrom[i] = i;
    }
    for (uint32_t i = 0; i < g->count; ++i)
        for (uint32_t j = i + 1; j < g->reach[i]; ++j)
            g->reachedFrom[j] = std::min(g->reachedFrom[j], i);
    return cells;
}

// Depth-first labelling of everything a match links to component `start`.
void Label(JB2ComponentGroup* g, uint32_t start, uint32_t* stack)
{
    uint32_t top = 0;
    g->classOf[start] = g->classCount;
    stack[top++] = start;
    while (top) {
        const uint32_t k = stack[--top];
        // Only the components measured against k can be linked to it.
        for (uint32_t j = g->reachedFrom[k]; j < g->reach[k]; ++j)
            if (j != k && !g->classOf[j] && Measure(g, k, j) >= 0) {
                g->classOf[j] = g->classCount;
                stack[top++] = j;
            }
    }
}

template <typename T>
bool Allocate(T** out, JB2Memory* memory, uint64_t count)
{
    *out = JB2MemoryAllocArray<T>(memory, count + 1);
    return *out != nullptr;
}

// A class of the given members (group indices, ascending; `local` gives
// each one's place among them) and every measured pair of them as an edge,
// lower index first. A measured pair always lies within one class.
JB2_Error MakeClass(const JB2ComponentGroup* g, const uint32_t* members, const uint32_t* local, uint32_t m,
                    JB2ComponentClass* c, JB2Memory* memory)
{
    c->members = m;
    if (!Allocate(&c->groupIndex, memory, m) || !Allocate(&c->order, memory, m))
        return cJB2_Error_Allocation_Failure;
    std::copy(members, members + m, c->groupIndex);
    if (m < 2)
        return cJB2_Error_OK;
    uint64_t edges = 0;
    for (uint32_t a = 0; a < m; ++a) {
        const int32_t* row = g->matrix + g->rowStart[members[a]];
        for (uint32_t j = members[a] + 1; j < g->reach[members[a]]; ++j)
            edges += row[j - members[a] - 1] >= 0;
    }
    if (!Allocate(&c->edges, memory, edges) || !Allocate(&c->tree, memory, m) || !Allocate(&c->labels, memory, m) ||
        !Allocate(&c->degree, memory, m))
        return cJB2_Error_Allocation_Failure;
    for (uint32_t a = 0; a < m; ++a) {
        const int32_t* row = g->matrix + g->rowStart[members[a]];
        for (uint32_t j = members[a] + 1; j < g->reach[members[a]]; ++j)
            if (row[j - members[a] - 1] >= 0)
                c->edges[c->edgeCount++] = JB2ClassEdge{a, local[j], row[j - members[a] - 1]};
    }
    return cJB2_Error_OK;
}

// The edges by weight, then a, then b: they were made in order of a, then
// b, so a stable count by weight gives that order.
JB2_Error SortEdges(JB2ComponentClass* c, JB2Memory* memory)
{
    int32_t heaviest = 0;
    for (uint32_t e = 0; e < c->edgeCount; ++e)
        heaviest = std::max(heaviest, c->edges[e].weight);
    uint32_t* starts = nullptr;
    JB2ClassEdge* sorted = nullptr;
    if (!Allocate(&starts, memory, uint64_t(heaviest) + 1) || !Allocate(&sorted, memory, c->edgeCount)) {
        if (starts)
            JB2MemoryFree(memory, &starts);
        return cJB2_Error_Allocation_Failure;
    }
    for (uint32_t e = 0; e < c->edgeCount; ++e)
        ++starts[c->edges[e].weight + 1];
    for (int32_t w = 0; w < heaviest; ++w)
        starts[w + 1] += starts[w];
    for (uint32_t e = 0; e < c->edgeCount; ++e)
        sorted[starts[c->edges[e].weight]++] = c->edges[e];
    JB2MemoryFree(memory, &starts);
    JB2MemoryFree(memory, &c->edges);
    c->edges = sorted;
    return cJB2_Error_OK;
}

uint32_t Find(uint32_t* labels, uint32_t node)
{
    while (labels[node] != node) {
        labels[node] = labels[labels[node]];
        node = labels[node];
    }
    return node;
}

void Count(JB2ComponentClass* c, uint32_t node)
{
    if (++c->degree[node] > c->highestDegree) {
        c->highestDegree = c->degree[node];
        c->root = node;
    }
}

// Kruskal: the cheapest edges that join what is not yet joined.
JB2_Error SpanningTree(JB2ComponentClass* c, JB2Memory* memory)
{
    JB2_Error status = SortEdges(c, memory);
    if (status != cJB2_Error_OK)
        return status;
    for (uint32_t i = 0; i < c->members; ++i)
        c->labels[i] = i;
    for (uint32_t e = 0; e < c->edgeCount && c->treeEdges + 1 < c->members; ++e) {
        const JB2ClassEdge& edge = c->edges[e];
        const uint32_t from = Find(c->labels, edge.b), to = Find(c->labels, edge.a);
        if (from == to)
            continue;
        c->labels[from] = to;
        Count(c, edge.a);
        Count(c, edge.b);
        c->tree[c->treeEdges++] = edge;
    }
    return cJB2_Error_OK;
}

// Root first, then depth first: each node enters its unvisited tree
// neighbours in edge order, each before its own subtree.
JB2_Error TreeOrder(JB2ComponentClass* c, JB2Memory* memory)
{
    uint32_t* path = nullptr;    // the nodes from the root down to the current one
    uint32_t* cursor = nullptr;  // per node on the path, the next tree edge to look at
    if (!Allocate(&path, memory, c->members) || !Allocate(&cursor, memory, c->members)) {
        if (path)
            JB2MemoryFree(memory, &path);
        return cJB2_Error_Allocation_Failure;
    }
    uint32_t* visited = c->labels;
    std::fill(visited, visited + c->members, 0u);
    uint32_t done = 0, depth = 0;
    cursor[0] = 0;
    c->order[done++] = JB2TreeEntry{c->root, c->root, -1};
    visited[c->root] = 1;
    path[depth++] = c->root;
    while (depth) {
        const uint32_t node = path[depth - 1];
        uint32_t& e = cursor[depth - 1];
        for (; e < c->treeEdges; ++e) {
            const JB2ClassEdge& edge = c->tree[e];
            const uint32_t other = edge.a == node ? edge.b : edge.b == node ? edge.a : node;
            if (other != node && !visited[other])
                break;
        }
        if (e == c->treeEdges) {
            --depth;
            continue;
        }
        const JB2ClassEdge& edge = c->tree[e++];
        const uint32_t child = edge.a == node ? edge.b : edge.a;
        visited[child] = 1;
        c->order[done++] = JB2TreeEntry{child, node, edge.weight};
        path[depth] = child;
        cursor[depth++] = 0;
    }
    JB2MemoryFree(memory, &path);
    JB2MemoryFree(memory, &cursor);
    return done == c->members ? cJB2_Error_OK : cJB2_Error_Internal;
}

void FreeClass(JB2ComponentClass* c, JB2Memory* memory)
{
    uint32_t* arrays32[] = {c->groupIndex, c->labels, c->degree};
    for (uint32_t* array : arrays32)
        if (array)
            JB2MemoryFreeBlock(memory, array);
    if (c->edges)
        JB2MemoryFree(memory, &c->edges);
    if (c->tree)
        JB2MemoryFree(memory, &c->tree);
    if (c->order)
        JB2MemoryFree(memory, &c->order);
}

}  // namespace

JB2_Error JB2ComponentGroupCreate(JB2ComponentGroup** out, JB2Memory* memory, uint32_t n, uint32_t height,
                                  JB2Message* message)
{
    if (!out || n == 0)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* g = JB2MemoryNew<JB2ComponentGroup>(memory);
    if (!g || !Allocate(&g->components, memory, n) || !Allocate(&g->classOf, memory, n)) {
        if (g)
            JB2ComponentGroupFree(&g, memory);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Failure allocating component group object!");
    }
    g->capacity = n;
    g->height = height;
    *out = g;
    return cJB2_Error_OK;
}

JB2_Error JB2ComponentGroupAdd(JB2ComponentGroup* g, JB2Component* component)
{
    if (!g || !component || g->count == g->capacity || component->height != g->height || g->matrix)
        return cJB2_Error_Internal;
    g->components[g->count++] = component;
    return cJB2_Error_OK;
}

JB2_Error JB2ComponentGroupBuildClasses(JB2ComponentGroup* g, JB2Memory* memory, uint32_t* classes, JB2Message* message)
{
    if (!g || !classes || g->matrix || g->count == 0)
        return cJB2_Error_Internal;
    *classes = 0;
    uint32_t* stack = nullptr;
    if (!Allocate(&g->reach, memory, g->count) || !Allocate(&g->rowStart, memory, g->count) ||
        !Allocate(&g->reachedFrom, memory, g->count) || !Allocate(&g->matrix, memory, Reach(g)) ||
        !Allocate(&stack, memory, g->count))
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Failure creating component group classes!");
    JB2_Error status = cJB2_Error_OK;
    for (uint32_t i = 0; i < g->count && status == cJB2_Error_OK; ++i)
        status = MeasureRow(g, i, memory, message);
    for (uint32_t i = 0; i < g->count && status == cJB2_Error_OK; ++i)
        if (!g->classOf[i]) {
            ++g->classCount;
            Label(g, i, stack);
        }
    JB2MemoryFree(memory, &stack);
    // The members of every class in group order, class after class.
    uint32_t* starts = nullptr;
    uint32_t* members = nullptr;
    uint32_t* local = nullptr;
    if (status == cJB2_Error_OK &&
        (!Allocate(&g->classes, memory, g->classCount) || !Allocate(&starts, memory, uint64_t(g->classCount) + 1) ||
         !Allocate(&members, memory, g->count) || !Allocate(&local, memory, g->count)))
        status = cJB2_Error_Allocation_Failure;
    if (status == cJB2_Error_OK) {
        for (uint32_t i = 0; i < g->count; ++i)
            ++starts[g->classOf[i]];
        for (uint32_t k = 0; k < g->classCount; ++k)
            starts[k + 1] += starts[k];
        for (uint32_t i = 0; i < g->count; ++i)
            members[starts[g->classOf[i] - 1]++] = i;
        for (uint32_t k = 0, first = 0; k < g->classCount; first = starts[k++])
            for (uint32_t t = first; t < starts[k]; ++t)
                local[members[t]] = t - first;
    }
    for (uint32_t k = 0, first = 0; k < g->classCount && status == cJB2_Error_OK; ++k) {
        JB2ComponentClass* c = &g->classes[k];
        status = MakeClass(g, members + first, local, starts[k] - first, c, memory);
        first = starts[k];
        if (status == cJB2_Error_OK && c->members > 1) {
            status = SpanningTree(c, memory);
            if (status == cJB2_Error_OK)
                status = TreeOrder(c, memory);
        } else if (status == cJB2_Error_OK) {
            c->order[0] = JB2TreeEntry{0, 0, -1};
        }
    }
    if (starts)
        JB2MemoryFree(memory, &starts);
    if (members)
        JB2MemoryFree(memory, &members);
    if (local)
        JB2MemoryFree(memory, &local);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure creating component group classes!");
    *classes = g->classCount;
    return cJB2_Error_OK;
}

int32_t JB2ComponentGroupMeasure(const JB2ComponentGroup* g, uint32_t i, uint32_t j)
{
    return g && g->matrix && i < g->count && j < g->count ? Measure(g, i, j) : -1;
}

const JB2ComponentClass* JB2ComponentGroupClass(const JB2ComponentGroup* g, uint32_t index)
{
    return g && g->classes && index < g->classCount ? &g->classes[index] : nullptr;
}

JB2_Error JB2ComponentClassEntry(const JB2ComponentClass* c, uint32_t index, uint32_t* member, uint32_t* parent,
                                 uint32_t* degree, int32_t* weight)
{
    if (!c || !member || !parent || !degree || !weight || index >= c->members)
        return cJB2_Error_Internal;
    const JB2TreeEntry& entry = c->order[index];
    *member = c->groupIndex[entry.node];
    *parent = c->groupIndex[entry.parent];
    *degree = c->members > 1 ? c->degree[entry.node] : 0;
    *weight = entry.weight;
    return cJB2_Error_OK;
}

JB2_Error JB2ComponentGroupFree(JB2ComponentGroup** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2ComponentGroup* g = *holder;
    for (uint32_t k = 0; g->classes && k < g->classCount; ++k)
        FreeClass(&g->classes[k], memory);
    if (g->classes)
        JB2MemoryFree(memory, &g->classes);
    if (g->matrix)
        JB2MemoryFree(memory, &g->matrix);
    if (g->reach)
        JB2MemoryFree(memory, &g->reach);
    if (g->rowStart)
        JB2MemoryFree(memory, &g->rowStart);
    if (g->reachedFrom)
        JB2MemoryFree(memory, &g->reachedFrom);
    if (g->components)
        JB2MemoryFree(memory, &g->components);
    if (g->classOf)
        JB2MemoryFree(memory, &g->classOf);
    *holder = nullptr;
    return JB2MemoryFree(memory, &g);
}

}  // namespace ZAV
