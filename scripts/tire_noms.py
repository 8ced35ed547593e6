#!/usr/bin/env python3
"""Draws the names that the users' build environments already give a meaning
to, from the environments installed on this machine, and writes them as the
tables of writers/noms_environnements.cc. tarvek never reads these
environments: the tables are drawn again by hand when an environment
changes, with

    python3 scripts/tire_noms.py > writers/noms_environnements.cc

It needs Debian's arduino-core-avr (with gcc-avr and avr-libc), gcc,
libsystemc-dev, ghdl and clang-14, whose front end reads the declarations.

- Arduino: for every board and processor of the core's boards.txt, the
  sketch's translation unit as the IDE makes it (Arduino.h first, the
  core's and the variant's include folders, the board's defines and the
  IDE's flags): its macros (avr-g++ -dM), the names that it declares at file
  scope (clang-14 reads avr-g++'s preprocessed text: functions, objects,
  types, enumerators, templates, namespaces), and the link symbols of the
  core built for that board (avr-nm on its objects: what it defines and
  what it calls, C++ names by their outermost name).
- C: the macros that gcc's and glibc's headers define for the headers of
  C17, in gcc's strict ISO C17 dialect and in its default gnu17 one, where
  glibc adds the POSIX and BSD macros of the same headers.
- SystemC: the macros of systemc.h and what it includes, the names that
  its using-directives and using-declarations bring into the global scope
  (sc_core, sc_dt and its std names), and the members of sc_module and its
  bases, which a module's members would hide.
- VHDL: the names that the use clauses of the Altera forms make visible
  (ieee.std_logic_1164, VHDL-93 and VHDL-2008, and std_logic_unsigned),
  from ghdl's sources of these packages.

Names that begin with two underscores, or with one and a capital, are left
out: every C-family target refuses them by rule.
"""
import json
import os
import re
import subprocess
import sys
import tempfile

CORE = "/usr/share/arduino/hardware/arduino/avr"
IDE_VERSION = "10819"
CPP_FLAGS = ("-g -Os -w -std=gnu++11 -fpermissive -fno-exceptions -ffunction-sections "
             "-fdata-sections -fno-threadsafe-statics -Wno-error=narrowing").split()
C_FLAGS = "-g -Os -w -std=gnu11 -ffunction-sections -fdata-sections".split()
# Debian's core 1.8.7 reads DECIMAL_DIG in WString.cpp, which the float.h of
# Debian's avr-gcc 5.4 defines only in C: the core is built with it given.
CORE_FIX = ["-DDECIMAL_DIG=__DECIMAL_DIG__"]
C17_HEADERS = ("assert complex ctype errno fenv float inttypes iso646 limits locale math setjmp "
               "signal stdalign stdarg stdatomic stdbool stddef stdint stdio stdlib stdnoreturn "
               "string tgmath threads time uchar wchar wctype").split()


def run(args, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kw).stdout


def reserve_par_regle(n):
    return n.startswith("__") or (len(n) > 1 and n[0] == "_" and n[1].isupper())


def macros(args, source, tmp):
    path = os.path.join(tmp, "m" + os.path.splitext(source[0])[1])
    with open(path, "w") as f:
        f.write(source[1])
    out = run(args + ["-dM", "-E", path])
    return {re.match(r"#define (\w+)", l).group(1) for l in out.splitlines() if l.startswith("#define")}


def declarations(ast, usings=None):
    """The names that the translation unit declares at file scope."""
    out = set()

    def walk(n):
        if n.get("isImplicit"):
            return
        k = n.get("kind")
        if k == "LinkageSpecDecl":
            for c in n.get("inner", []):
                walk(c)
            return
        if k == "UsingDirectiveDecl":
            if usings is not None:
                usings.append(n["nominatedNamespace"]["name"])
            return
        if n.get("name"):
            out.add(n["name"])
        if k == "EnumDecl" and not n.get("scopedEnumTag"):
            for c in n.get("inner", []):
                if c.get("kind") == "EnumConstantDecl":
                    out.add(c["name"])

    for c in ast.get("inner", []):
        walk(c)
    return out


def ast_de(preprocessed, clang_args, tmp):
    path = os.path.join(tmp, "tu.ii")
    with open(path, "w") as f:
        f.write(preprocessed)
    out = subprocess.run(["clang++-14"] + clang_args + ["-x", "c++-cpp-output", "-fsyntax-only",
                          "-Xclang", "-ast-dump=json", path], capture_output=True, text=True)
    return json.loads(out.stdout)


def nom_lien(symbole):
    for p in ("vtable for ", "typeinfo for ", "typeinfo name for ", "guard variable for ",
              "non-virtual thunk to ", "VTT for "):
        if symbole.startswith(p):
            symbole = symbole[len(p):]
    nom = re.match(r"[A-Za-z_]\w*", symbole)
    if not nom or nom.group(0) == "operator":
        return None
    return nom.group(0)


def boards():
    props = {}
    with open(os.path.join(CORE, "boards.txt")) as f:
        for l in f:
            l = l.strip()
            if l and not l.startswith("#") and "=" in l:
                k, v = l.split("=", 1)
                props[k] = v
    configs = set()
    for board in sorted({k.split(".")[0] for k in props if k.endswith(".build.core")}):
        base = {k[len(board) + 7:]: v for k, v in props.items() if k.startswith(board + ".build.")}
        cpus = sorted({k.split(".")[3] for k in props if k.startswith(board + ".menu.cpu.")
                       and k.count(".") >= 4})
        for cpu in cpus or [None]:
            b = dict(base)
            if cpu:
                pre = board + ".menu.cpu." + cpu + ".build."
                b.update({k[len(pre):]: v for k, v in props.items() if k.startswith(pre)})
            extra = []
            if "{build.usb_flags}" in b.get("extra_flags", ""):
                extra = ["-DUSB_VID=" + b.get("vid", "0"), "-DUSB_PID=" + b.get("pid", "0"),
                         '-DUSB_MANUFACTURER="Unknown"', "-DUSB_PRODUCT=" + b["usb_product"]]
            configs.add((b["mcu"], b["variant"], b["board"], b.get("f_cpu", "16000000L"),
                         tuple(extra)))
    return sorted(configs)


def arduino(tmp):
    noms = set()
    core = os.path.join(CORE, "cores", "arduino")
    sources = sorted(f for f in os.listdir(core) if f.endswith((".c", ".cpp", ".S")))
    for mcu, variant, board, f_cpu, extra in boards():
        defs = ["-mmcu=" + mcu, "-DF_CPU=" + f_cpu, "-DARDUINO=" + IDE_VERSION,
                "-DARDUINO_" + board, "-DARDUINO_ARCH_AVR"] + list(extra) + [
                "-I" + core, "-I" + os.path.join(CORE, "variants", variant)]
        sketch = ("s.cpp", "#include <Arduino.h>\n")
        noms |= macros(["avr-g++"] + CPP_FLAGS + defs, sketch, tmp)
        with open(os.path.join(tmp, "s.cpp"), "w") as f:
            f.write(sketch[1])
        pre = run(["avr-g++"] + CPP_FLAGS + defs + ["-E", os.path.join(tmp, "s.cpp")])
        noms |= declarations(ast_de(pre, ["--target=avr", "-mmcu=" + mcu, "-std=gnu++11"], tmp))
        objets = []
        for s in sources:
            o = os.path.join(tmp, s + ".o")
            if s.endswith(".cpp"):
                cmd = ["avr-g++"] + CPP_FLAGS
            elif s.endswith(".c"):
                cmd = ["avr-gcc"] + C_FLAGS
            else:
                cmd = ["avr-gcc", "-x", "assembler-with-cpp"]
            run(cmd + defs + CORE_FIX + ["-c", os.path.join(core, s), "-o", o])
            objets.append(o)
        for l in run(["avr-nm", "-C", "-g"] + objets).splitlines():
            m = re.match(r"\s*(?:[0-9a-f]+\s+)?[A-Za-z]\s+(.*)$", l)
            if m and nom_lien(m.group(1)):
                noms.add(nom_lien(m.group(1)))
    return noms


def c17(tmp):
    source = ("h.c", "".join("#include <%s.h>\n" % h for h in C17_HEADERS))
    return macros(["gcc", "-std=c17"], source, tmp) | macros(["gcc", "-std=gnu17"], source, tmp)


def systemc(tmp):
    source = ("s.cpp", "#include <systemc.h>\n")
    noms = macros(["g++"], source, tmp)
    with open(os.path.join(tmp, "s.cpp"), "w") as f:
        f.write(source[1])
    ast = ast_de(run(["clang++-14", "-E", os.path.join(tmp, "s.cpp")]), [], tmp)
    espaces = {}  # namespace -> its top names, over all its blocks
    classes = {}  # qualified class -> (member names, base classes)

    def walk(n, ns):
        k = n.get("kind")
        if n.get("isImplicit"):
            return
        if k == "LinkageSpecDecl":
            for c in n.get("inner", []):
                walk(c, ns)
            return
        if k == "NamespaceDecl":
            if not ns and n.get("name"):
                espaces.setdefault("", {"noms": set(), "usings": [], "decls": []})["noms"].add(
                    n["name"])
            q = (ns + "::" if ns else "") + n.get("name", "")
            for c in n.get("inner", []):
                walk(c, q)
            return
        nom = n.get("name")
        top = espaces.setdefault(ns, {"noms": set(), "usings": [], "decls": []})
        if k == "UsingDirectiveDecl":
            top["usings"].append(n["nominatedNamespace"]["name"])
            return
        if k == "UsingDecl":
            top["decls"].append(nom.split("::")[-1])
            return
        if nom:
            top["noms"].add(nom)
        if k == "EnumDecl" and not n.get("scopedEnumTag"):
            for c in n.get("inner", []):
                if c.get("kind") == "EnumConstantDecl":
                    top["noms"].add(c["name"])
        if k == "CXXRecordDecl" and n.get("completeDefinition") and nom:
            membres = set()
            for c in n.get("inner", []):
                if c.get("name") and not c.get("isImplicit"):
                    membres.add(c["name"])
                if c.get("kind") == "EnumDecl":
                    for e in c.get("inner", []):
                        if e.get("kind") == "EnumConstantDecl":
                            membres.add(e["name"])
            bases = [b["type"]["qualType"] for b in n.get("bases", [])]
            classes[(ns + "::" if ns else "") + nom] = (membres, bases)

    for c in ast.get("inner", []):
        walk(c, "")
    top = espaces[""]
    noms |= set(top["decls"]) | {n for n in top["noms"] if n in espaces}
    for u in top["usings"]:
        for q, e in espaces.items():
            if q == u or q == u.lstrip(":"):
                noms |= e["noms"]
    vus = set()
    a_voir = ["sc_core::sc_module"]
    while a_voir:
        c = a_voir.pop()
        c = c.replace("class ", "").replace("struct ", "").lstrip(":")
        if c in vus or c not in classes:
            continue
        vus.add(c)
        membres, bases = classes[c]
        noms |= membres
        a_voir += [b if "::" in b else c.rsplit("::", 1)[0] + "::" + b for b in bases]
    return {n for n in noms if not n.startswith("operator") and not n.startswith("~")}


def ieee():
    noms = set()
    for p in ("ieee/v93/std_logic_1164.vhdl", "ieee2008/std_logic_1164.vhdl",
              "synopsys/std_logic_unsigned.vhdl"):
        with open("/usr/lib/ghdl/src/" + p) as f:
            texte = re.sub(r"--.*", "", f.read())
        for m in re.finditer(r"\b(?:type|subtype|function|procedure|alias|constant)\s+(\w+)",
                             texte, re.I):
            noms.add(m.group(1).lower())
    return noms


def table(nom, commentaire, noms):
    noms = sorted(n for n in noms if not reserve_par_regle(n))
    lignes, ligne = [], "     "
    for n in noms:
        mot = ' "%s",' % n
        if len(ligne) + len(mot) > 100:
            lignes.append(ligne)
            ligne = "     "
        ligne += mot
    lignes.append(ligne)
    return ("%s\nconst std::set<std::string>& %s() {\n  static const char* const tirage[] = {\n"
            "%s\n  };\n  static const std::set<std::string> noms(std::begin(tirage), std::end(tirage));\n"
            "  return noms;\n}\n" % (commentaire, nom, "\n".join(lignes)))


def main():
    with tempfile.TemporaryDirectory() as tmp:
        print("// The names that the users' build environments already give a meaning to,\n"
              "// drawn by scripts/tire_noms.py from the environments that Debian 12\n"
              "// installs (arduino-core-avr 1.8.7, avr-libc, gcc 12 and glibc 2.36,\n"
              "// libsystemc-dev 2.3.4, ghdl 2.0): see that script for how. Names that\n"
              "// begin with two underscores, or with one and a capital, are refused by\n"
              "// rule and left out.\n"
              "#include \"noms_environnements.h\"\n\n#include <iterator>\n")
        print(table("noms_arduino", "// The sketch's environment, on every board of the core.",
                    arduino(tmp)))
        print(table("macros_c17", "// The macros of the headers of C17.", c17(tmp)))
        print(table("noms_systemc", "// What systemc.h brings into a module's scope.",
                    systemc(tmp)))
        print(table("noms_ieee", "// What the use clauses of the Altera forms make visible.",
                    ieee()), end="")


if __name__ == "__main__":
    sys.exit(main())
