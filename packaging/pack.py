"""The steps of the release package that must give the same bytes wherever
and whenever they run (cmake/package.cmake runs them):

  pack.py epoch SOURCE OUTPUT         the time the packaged files carry
  pack.py stage EPOCH FOLDER FILE...  copies for wixl, at that time
  pack.py zip EPOCH OUTPUT FILE...    a zip of the files, at that time
  pack.py sign FILE PKCS12 PASSWORD_FILE [TIMESTAMP_URL]
  pack.py sums FOLDER                 FOLDER/SHA256SUMS of every other file

EPOCH is the file the epoch step wrote."""
import hashlib
import os
import pathlib
import shutil
import subprocess
import sys
import time
import zipfile

# Outside a git checkout and without SOURCE_DATE_EPOCH: 1980-01-01, the
# earliest time a zip can hold.
EARLIEST = 315532800


def epoch(source, output):
    """The commit's time, or SOURCE_DATE_EPOCH when given. The file is
    rewritten only when the time changes, so a new commit repacks and
    nothing else does."""
    value = os.environ.get("SOURCE_DATE_EPOCH", "")
    if not value:
        git = subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"],
                             capture_output=True, text=True, check=False)
        value = git.stdout.strip() if git.returncode == 0 else ""
    path = pathlib.Path(output)
    if not value:
        value = str(EARLIEST)
        if not path.exists() or path.read_text() != value:
            print("No commit time (no git checkout?): the packed files get 1980-01-01; "
                  "set SOURCE_DATE_EPOCH to the release's commit time instead")
    value = str(int(value))
    if not path.exists() or path.read_text() != value:
        path.write_text(value)


def read_epoch(path):
    return int(pathlib.Path(path).read_text())


def stage(epoch_file, folder, files):
    """wixl's cabinet keeps each file's time; it runs with TZ=UTC, as the
    cabinet holds local times."""
    stamp = read_epoch(epoch_file)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for name in files:
        target = os.path.join(folder, os.path.basename(name))
        shutil.copyfile(name, target)
        os.utime(target, (stamp, stamp))


def make_zip(epoch_file, output, files):
    """The files at the top of the zip in the order given, each with the
    time in UTC."""
    stamp = time.gmtime(max(read_epoch(epoch_file), EARLIEST))[:6]
    with zipfile.ZipFile(output, "w") as archive:
        for name in files:
            info = zipfile.ZipInfo(os.path.basename(name), stamp)
            # Made on Windows, as far as the zip says: no Unix owner or mode.
            info.create_system = 0
            info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, pathlib.Path(name).read_bytes())


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, check=False, **options)


def sign(path, pkcs12, password_file, timestamp_url=""):
    """Signs in place with SHA-256. The password is read from its file by
    openssl and osslsigncode themselves, so it is in no command line and no
    output. The certificate is checked first, so that a wrong password or a
    certificate that cannot sign code stops the build with the reason."""
    name = os.path.basename(path)

    def fail(reason):
        sys.exit(f"Cannot sign {name}: {reason}")

    for readable in (pkcs12, password_file):
        if not os.access(readable, os.R_OK):
            fail(f"cannot read {readable}")
    # Files exported by older Windows use ciphers that OpenSSL 3 keeps in
    # its legacy provider.
    for legacy in ([], ["-legacy"]):
        certificate = run(["openssl", "pkcs12", "-in", pkcs12, "-passin", "file:" + password_file,
                           "-nokeys", "-clcerts", *legacy])
        if certificate.returncode == 0:
            break
    else:
        fail(f"the password in {password_file} does not open {pkcs12}, or it is no PKCS#12 file")
    if "BEGIN CERTIFICATE" not in certificate.stdout:
        fail(f"{pkcs12} holds no certificate with its private key")
    details = run(["openssl", "x509", "-noout", "-subject", "-enddate", "-ext", "extendedKeyUsage",
                   "-checkend", "0"], input=certificate.stdout)
    subject = details.stdout.splitlines()[0] if details.stdout else "?"
    if "Certificate will not expire" not in details.stdout:
        fail(f"the certificate ({subject}) has expired")
    # Windows takes a certificate that names its uses only for those.
    if "Extended Key Usage" in details.stdout and "Code Signing" not in details.stdout:
        fail(f"the certificate ({subject}) is not for code signing")

    signed = path + ".signed"
    command = ["osslsigncode", "sign", "-pkcs12", pkcs12, "-readpass", password_file, "-h", "sha256"]
    if timestamp_url:
        command += ["-ts", timestamp_url]
    result = run(command + ["-in", path, "-out", signed])
    if result.returncode != 0:
        if os.path.exists(signed):
            os.remove(signed)
        fail("osslsigncode failed" + (f" (time stamp from {timestamp_url})" if timestamp_url else "")
             + ":\n" + (result.stdout + result.stderr).strip())
    os.replace(signed, path)
    print(f"Signed {name}, {subject}" + (", time-stamped" if timestamp_url else ""))


def sums(folder):
    folder = pathlib.Path(folder)
    output = folder / "SHA256SUMS"
    lines = [f"{hashlib.sha256(path.read_bytes()).hexdigest()}  {path.relative_to(folder).as_posix()}\n"
             for path in sorted(folder.rglob("*")) if path.is_file() and path != output]
    output.write_text("".join(lines), newline="\n")


if __name__ == "__main__":
    step, arguments = sys.argv[1], sys.argv[2:]
    if step == "epoch":
        epoch(*arguments)
    elif step == "stage":
        stage(arguments[0], arguments[1], arguments[2:])
    elif step == "zip":
        make_zip(arguments[0], arguments[1], arguments[2:])
    elif step == "sign":
        sign(*arguments)
    elif step == "sums":
        sums(*arguments)
    else:
        sys.exit(f"unknown step {step}")
