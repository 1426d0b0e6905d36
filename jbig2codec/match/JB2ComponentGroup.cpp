#include "jbig2codec/match/JB2ComponentGroup.h"

#include <algorithm>

#include "jbig2codec/match/JB2ComponentMatch.h"

namespace ZAV {

namespace {

int32_t& Measure(const JB2ComponentGroup* g, uint32_t i, uint32_t j)
{
    return i < j ? g->matrix[uint64_t(i) * g->count + j] : g->matrix[uint64_t(j) * g->count + i];
}

// Row i of the matrix: component i against the following ones of its width or one more.
JB2_Error MeasureRow(JB2ComponentGroup* g, uint32_t i, JB2Memory* memory, JB2Message* message)
{
    JB2ComponentMatch* match = nullptr;
    JB2_Error status = JB2ComponentMatchCreate(&match, memory, g->components[i], message);
    const uint32_t width = g->components[i]->width;
    for (uint32_t j = i + 1; status == cJB2_Error_OK && j < g->count; ++j) {
        const uint32_t other = g->components[j]->width;
        if (other != width && other != width + 1)
            break;
        status = JB2ComponentMatchWeighted(match, g->components[j], memory, &Measure(g, i, j));
    }
    if (match)
        JB2ComponentMatchFree(&match, memory);
    return status;
}

// Depth-first labelling of everything a match links to component `start`.
void Label(JB2ComponentGroup* g, uint32_t start, uint32_t* stack)
{
    uint32_t top = 0;
    g->classOf[start] = g->classCount;
    stack[top++] = start;
    while (top) {
        const uint32_t k = stack[--top];
        for (uint32_t j = 0; j < g->count; ++j)
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

JB2_Error MakeClass(JB2ComponentGroup* g, uint32_t number, JB2ComponentClass* c, JB2Memory* memory)
{
    for (uint32_t i = 0; i < g->count; ++i)
        c->members += g->classOf[i] == number;
    const uint64_t m = c->members;
    if (!Allocate(&c->groupIndex, memory, m) || !Allocate(&c->order, memory, m) ||
        (m > 1 && (!Allocate(&c->edges, memory, m * (m - 1) / 2) || !Allocate(&c->tree, memory, m) ||
                   !Allocate(&c->labels, memory, m) || !Allocate(&c->degree, memory, m))))
        return cJB2_Error_Allocation_Failure;
    uint32_t local = 0;
    for (uint32_t i = 0; i < g->count; ++i)
        if (g->classOf[i] == number)
            c->groupIndex[local++] = i;
    for (uint32_t a = 0; m > 1 && a < m; ++a)
        for (uint32_t b = a + 1; b < m; ++b) {
            const int32_t weight = Measure(g, c->groupIndex[a], c->groupIndex[b]);
            if (weight >= 0)
                c->edges[c->edgeCount++] = JB2ClassEdge{a, b, weight};
        }
    return cJB2_Error_OK;
}

void Count(JB2ComponentClass* c, uint32_t node)
{
    if (++c->degree[node] > c->highestDegree) {
        c->highestDegree = c->degree[node];
        c->root = node;
    }
}

// Kruskal: the cheapest edges that join what is not yet joined.
void SpanningTree(JB2ComponentClass* c)
{
    std::sort(c->edges, c->edges + c->edgeCount, [](const JB2ClassEdge& p, const JB2ClassEdge& q) {
        if (p.weight != q.weight)
            return p.weight < q.weight;
        return p.a != q.a ? p.a < q.a : p.b < q.b;
    });
    for (uint32_t i = 0; i < c->members; ++i)
        c->labels[i] = i;
    for (uint32_t e = 0; e < c->edgeCount && c->treeEdges + 1 < c->members; ++e) {
        const JB2ClassEdge& edge = c->edges[e];
        const uint32_t from = c->labels[edge.b], to = c->labels[edge.a];
        if (from == to)
            continue;
        for (uint32_t i = 0; i < c->members; ++i)
            if (c->labels[i] == from)
                c->labels[i] = to;
        Count(c, edge.a);
        Count(c, edge.b);
        c->tree[c->treeEdges++] = edge;
    }
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
    const uint64_t cells = uint64_t(g->count) * g->count;
    if (!Allocate(&g->matrix, memory, cells) || !Allocate(&stack, memory, g->count))
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Failure creating component group classes!");
    std::fill(g->matrix, g->matrix + cells, -1);
    JB2_Error status = cJB2_Error_OK;
    for (uint32_t i = 0; i < g->count && status == cJB2_Error_OK; ++i)
        status = MeasureRow(g, i, memory, message);
    for (uint32_t i = 0; i < g->count && status == cJB2_Error_OK; ++i)
        if (!g->classOf[i]) {
            ++g->classCount;
            Label(g, i, stack);
        }
    JB2MemoryFree(memory, &stack);
    if (status == cJB2_Error_OK && !Allocate(&g->classes, memory, g->classCount))
        status = cJB2_Error_Allocation_Failure;
    for (uint32_t k = 0; k < g->classCount && status == cJB2_Error_OK; ++k) {
        JB2ComponentClass* c = &g->classes[k];
        status = MakeClass(g, k + 1, c, memory);
        if (status == cJB2_Error_OK && c->members > 1) {
            SpanningTree(c);
            status = TreeOrder(c, memory);
        } else if (status == cJB2_Error_OK) {
            c->order[0] = JB2TreeEntry{0, 0, -1};
        }
    }
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure creating component group classes!");
    *classes = g->classCount;
    return cJB2_Error_OK;
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
    if (g->components)
        JB2MemoryFree(memory, &g->components);
    if (g->classOf)
        JB2MemoryFree(memory, &g->classOf);
    *holder = nullptr;
    return JB2MemoryFree(memory, &g);
}

}  // namespace ZAV
