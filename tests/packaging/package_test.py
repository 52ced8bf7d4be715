"""The release package as a Windows user or an administrator opens it: the
zip, the read-me and the administrative template of build/win/dist."""
import codecs
import os
import pathlib
import re
import subprocess
import unittest
import xml.etree.ElementTree as ElementTree
import zipfile

DIST = pathlib.Path(os.environ["QUILLON_DIST"])
EXE = pathlib.Path(os.environ["QUILLON_EXE"])
README = pathlib.Path(__file__).resolve().parents[2] / "README.md"
POLICY = "{http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions}"
# The template's languages, named as the folders of PolicyDefinitions are:
# a translation is a folder in packaging/policy and a row here.
POLICY_LANGUAGES = ("en-US", "de-DE", "fr-FR", "es-ES", "it-IT", "pt-BR", "nl-NL", "pl-PL", "ru-RU", "ja-JP",
                    "zh-CN")
# What a translation must keep as it is: registry keys, switches, programs.
UNTRANSLATED = re.compile(r"HKEY_[A-Z_]+(?:\\[a-z]+)+|(?<![\w/])/[a-z]+|\w+\.exe")


def policy_texts(adml):
    return {element.get("id"): element.text for element in adml.iter(f"{POLICY}string")}


def revision_number(text):
    return tuple(int(part) for part in text.split("."))


class Package(unittest.TestCase):
    def test_zip_opens_to_the_program_and_the_read_me(self):
        [archive_path] = DIST.glob("quillon-*-win64.zip")
        with zipfile.ZipFile(archive_path) as archive:
            self.assertEqual(sorted(archive.namelist()), ["README.txt", "quillon.exe"])
            self.assertEqual(archive.read("quillon.exe"), EXE.read_bytes())
            self.assertEqual(archive.read("README.txt"), (DIST / "README.txt").read_bytes())

    def test_read_me_is_the_readme_for_users_and_administrators_of_this_release(self):
        raw = (DIST / "README.txt").read_bytes()
        self.assertTrue(raw.startswith(codecs.BOM_UTF8), "marked as UTF-8 for Notepad")
        self.assertEqual(raw.count(b"\n"), raw.count(b"\r\n"), "Windows line ends")
        text = raw.decode("utf-8-sig").replace("\r\n", "\n")
        [msi] = DIST.glob("quillon-*-x64.msi")
        properties = subprocess.run(["msiinfo", "export", msi, "Property"], check=True, capture_output=True,
                                    text=True).stdout
        product_code = re.search(r"^ProductCode\t(.+)$", properties, re.M)[1]
        self.assertEqual(text.splitlines()[0], "Quillon " + re.search(r"quillon-(.+)-x64\.msi", msi.name)[1])
        self.assertIn(f"msiexec /x {product_code} /qn", text)
        readme = README.read_text(encoding="utf-8")
        part = readme[readme.index("<!-- read-me -->"):readme.index("<!-- /read-me -->")]
        for title in re.findall(r"^#+ (.+)$", part, re.M):
            self.assertIn(f"\n{title}\n", text)
        self.assertNotRegex(text, r"`|\*\*|\]\(|\|---|<!--|<version>|<product code>", "Markdown left")

    def test_installer_gives_the_program_its_file_version(self):
        [msi] = DIST.glob("quillon-*-x64.msi")
        version = re.search(r"quillon-(.+)-x64\.msi", msi.name)[1]
        table = subprocess.run(["msiinfo", "export", msi, "File"], check=True, capture_output=True, text=True)
        self.assertEqual([row.split("\t")[2:6:2] for row in table.stdout.splitlines()[3:]],
                         [["quillon.exe", version + ".0"]])

    def test_installer_registers_the_program_as_the_source_of_its_events(self):
        [msi] = DIST.glob("quillon-*-x64.msi")
        table = subprocess.run(["msiinfo", "export", msi, "Registry"], check=True, capture_output=True, text=True)
        files = subprocess.run(["msiinfo", "export", msi, "File"], check=True, capture_output=True, text=True)
        self.assertIn("QuillonExe\tProgram\tquillon.exe\t", files.stdout, "[#QuillonExe]: the installed program")
        source = {tuple(row.split("\t")[1:4]): row.split("\t")[4] for row in table.stdout.splitlines()[3:]}
        key = ("2", r"SYSTEM\CurrentControlSet\Services\EventLog\Application\Quillon")
        # "*": the key comes at install and goes, with all it holds, at uninstall.
        self.assertEqual({name: value for (*where, name), value in source.items() if tuple(where) == key},
                         {"*": "", "EventMessageFile": "[#QuillonExe]", "TypesSupported": "#7"})

    def test_template_is_well_formed_and_every_language_has_exactly_its_texts(self):
        admx = ElementTree.parse(DIST / "policy" / "quillon.admx").getroot()
        named = {kind: set() for kind in ("string", "presentation")}
        for element in admx.iter():
            for value in element.attrib.values():
                for kind, name in re.findall(r"\$\((string|presentation)\.([^)]+)\)", value):
                    named[kind].add(name)
        self.assertEqual(sorted(path.parent.name for path in DIST.glob("policy/*/quillon.adml")),
                         sorted(POLICY_LANGUAGES))
        revision = admx.find(f"{POLICY}resources").get("minRequiredRevision")
        english = policy_texts(ElementTree.parse(DIST / "policy" / "en-US" / "quillon.adml").getroot())
        for language in POLICY_LANGUAGES:
            with self.subTest(language):
                path = DIST / "policy" / language / "quillon.adml"
                self.assertTrue(path.read_bytes().startswith(b'<?xml version="1.0" encoding="utf-8"?>\n'),
                                "the XML declaration first, as in en-US")
                adml = ElementTree.parse(path).getroot()
                for kind in named:
                    held = sorted(element.get("id") for element in adml.iter(f"{POLICY}{kind}"))
                    self.assertEqual(held, sorted(named[kind]), f"{kind}s")
                self.assertGreaterEqual(revision_number(adml.get("revision")), revision_number(revision))
                texts = policy_texts(adml)
                for name, text in texts.items():
                    self.assertEqual(sorted(UNTRANSLATED.findall(text)), sorted(UNTRANSLATED.findall(english[name])),
                                     name)
                if language != "en-US":
                    self.assertLessEqual({name for name in texts if texts[name] == english[name]}, {"Quillon"},
                                         "left in English")
        categories = {element.get("name") for element in admx.iter(f"{POLICY}category")}
        supported = {element.get("name") for element in admx.iter(f"{POLICY}definition")}
        policies = list(admx.iter(f"{POLICY}policy"))
        self.assertTrue(policies)
        for policy in policies:
            self.assertIn("$(string.", policy.get("explainText", ""), policy.get("name"))
            self.assertIn(policy.find(f"{POLICY}parentCategory").get("ref"), categories)
            self.assertIn(policy.find(f"{POLICY}supportedOn").get("ref"), supported)


if __name__ == "__main__":
    unittest.main()
