#!/usr/bin/python3
"""The Kubernetes Indexed Job and the container image of deploy/.

Checks the Job's indexed fields, runs its container command for every completion index (with a
stand-in plazor-batch that records its arguments) to prove the indices cover every shard exactly
once, lints the file, and checks that the image installs a package for every library the real
plazor-batch links against.

  kubernetes_job_test.py MANIFEST CONTAINERFILE PLAZOR_BATCH
"""
import os
import re
import subprocess
import sys
import tempfile

import yaml


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


def job_of(manifest):
    with open(manifest, encoding="utf-8") as f:
        docs = [d for d in yaml.safe_load_all(f) if d]
    jobs = [d for d in docs if d.get("kind") == "Job"]
    check(len(jobs) == 1, "expected one Job, found %d" % len(jobs))
    job = jobs[0]
    check(job.get("apiVersion") == "batch/v1", "the Job is not batch/v1")
    return job


def shards_run(container, completions):
    """Runs the container's command once per index; returns the --shard value of each run."""
    env_values = {e["name"]: str(e["value"]) for e in container.get("env", [])}
    argv = container.get("command", []) + container.get("args", [])
    check(argv[:2] == ["sh", "-c"] and len(argv) == 3, "the command is not sh -c SCRIPT")
    with tempfile.TemporaryDirectory() as bin_dir:
        record = os.path.join(bin_dir, "calls")
        fake = os.path.join(bin_dir, "plazor-batch")
        with open(fake, "w", encoding="utf-8") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$*" >> %s\n' % record)
        os.chmod(fake, 0o755)
        for index in range(completions):
            env = dict(os.environ, **env_values)
            env["JOB_COMPLETION_INDEX"] = str(index)
            env["PATH"] = bin_dir + os.pathsep + env["PATH"]
            subprocess.run(argv, env=env, check=True)
        with open(record, encoding="utf-8") as f:
            calls = f.read().splitlines()
    check(len(calls) == completions, "%d runs for %d completions" % (len(calls), completions))
    shards = []
    for call in calls:
        words = call.split()
        check(words[:2] == ["render", "--plan"], "a pod does not render a plan: " + call)
        check("--shard" in words, "a pod renders no shard: " + call)
        shards.append(words[words.index("--shard") + 1])
    return shards


def check_job(manifest):
    job = job_of(manifest)
    job_body = job["spec"]
    check(job_body.get("completionMode") == "Indexed", "completionMode is not Indexed")
    completions = job_body.get("completions")
    check(isinstance(completions, int) and completions > 0, "completions is not a positive number")
    check(job_body.get("parallelism", 1) <= completions, "parallelism exceeds completions")
    pod = job_body["template"]["spec"]
    check(pod.get("restartPolicy") in ("Never", "OnFailure"), "a Job's pods must not restart Always")
    containers = pod["containers"]
    check(len(containers) == 1, "expected one container")
    shards = shards_run(containers[0], completions)
    expected = ["%d/%d" % (i, completions) for i in range(completions)]
    check(shards == expected, "index i must render shard i/%d, got %s" % (completions, shards))

    lint = subprocess.run(["yamllint", "-s", manifest], capture_output=True, text=True)
    check(lint.returncode == 0, "yamllint:\n" + lint.stdout + lint.stderr)


def check_image(containerfile, program):
    with open(containerfile, encoding="utf-8") as f:
        text = f.read()
    stages = re.split(r"^FROM ", text, flags=re.M)
    runtime = set(re.findall(r"[a-z0-9][a-z0-9.+-]+", stages[-1].split("COPY")[0]))
    # apt and the shell of the Debian base image already bring these.
    base = {"libc6", "libgcc-s1", "libstdc++6"}
    ldd = subprocess.run(["ldd", program], capture_output=True, text=True, check=True).stdout
    paths = dict(re.findall(r"^\s*(\S+) => (\S+)", ldd, flags=re.M))
    needed = re.findall(r"\(NEEDED\).*\[(.+)\]",
                        subprocess.run(["readelf", "-d", program], capture_output=True, text=True,
                                       check=True).stdout)
    check(needed, "readelf found no libraries")
    for soname in needed:
        if re.match(r"lib(asan|ubsan)\.", soname):
            continue  # a sanitizer build's runtimes; the image's Release build has none
        check(soname in paths, "ldd cannot resolve " + soname)
        owner = subprocess.run(["dpkg", "-S", os.path.realpath(paths[soname])], capture_output=True,
                               text=True)
        if owner.returncode != 0:  # /lib is a link to /usr/lib on Debian 12
            owner = subprocess.run(["dpkg", "-S", paths[soname]], capture_output=True, text=True)
        check(owner.returncode == 0, "no package owns " + paths[soname])
        package = owner.stdout.split(":")[0]
        check(package in runtime | base, "the image does not install %s (for %s)" % (package, soname))


def main():
    if len(sys.argv) != 4:
        fail(__doc__)
    check_job(sys.argv[1])
    check_image(sys.argv[2], sys.argv[3])
    print("ok")


if __name__ == "__main__":
    main()
