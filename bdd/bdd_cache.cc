// The operation cache of a manager and the memo of one call: what a hit
// may return is explained in bddpp_int.h.
#include <cstdlib>
#include <string>

#include "bddpp_int.h"

void bdd_result_table::resize(size_t slots) {
  std::vector<entry> old(slots, entry{0, 0, 0});
  old.swap(entries);
  for (auto const& e : old)
    if (e.f) entries[slot(e.f, e.g)] = e;
}

bdd_memo::bdd_memo(bddpp_manager* m) : manager(m), on(bdd_engine::cache(m).on), count(0) {
  if (on) entries.assign(64, entry{0, 0});
}

bool bdd_memo::find(bdd const& f, bdd& r) const {
  bdd_node* n;
  int link;
  if (!find(f.link_type(), f.node(), n, link)) return false;
  r = bdd(manager, link, n);
  return true;
}

void bdd_memo::put(int link, bdd_node const* n, bdd_node* r, int r_link) {
  if (!on) return;
  if (2 * (count + 1) > entries.size()) {
    std::vector<entry> old(entries.size() * 2, entry{0, 0});
    old.swap(entries);
    for (auto const& e : old)
      if (e.key) entries[position(e.key)] = e;
  }
  uintptr_t key = bdd_tagged(link, n);
  entry& e = entries[position(key)];
  if (!e.key) ++count;
  e = entry{key, bdd_tagged(r_link, r)};
}

void bddpp_manager::Bdd_set_cache(int on) {
  store->cache.on = on != 0;
  store->cache.flush();
}

int bddpp_manager::Bdd_cache_is_on() const { return store->cache.on; }

// Until the program sets it, the default comes from TARVEK_BDD_CACHE: "0"
// turns the cache off in every manager, so that the tests can compare whole
// runs of the program with and without it.
static int cache_default = -1;

void bddpp_manager::Bdd_set_cache_default(int on) { cache_default = on < 0 ? -1 : on != 0; }

bool bdd_engine::cache_default_on() {
  if (cache_default >= 0) return cache_default != 0;
  const char* e = std::getenv("TARVEK_BDD_CACHE");
  return !(e && std::string(e) == "0");
}
