#!/usr/bin/python3
# A file system that stands for an offline network share: an empty root
# whose statfs (what a free-space or drive-type query ends in) does not
# answer until the file `release` exists, or `limit` seconds have passed.
#   stalling_fs.py <mount point> <release file> [limit seconds]
import errno
import os
import stat
import sys
import time

from fusepy import FUSE, FuseOSError, Operations


class StallingFs(Operations):
    def __init__(self, release, limit):
        self.release = release
        self.limit = limit

    def getattr(self, path, fh=None):
        if path != "/":
            raise FuseOSError(errno.ENOENT)
        now = time.time()
        return {"st_mode": stat.S_IFDIR | 0o755, "st_nlink": 2,
                "st_ctime": now, "st_mtime": now, "st_atime": now}

    def readdir(self, path, fh):
        return [".", ".."]

    def statfs(self, path):
        deadline = time.monotonic() + self.limit
        while not os.path.exists(self.release) and time.monotonic() < deadline:
            time.sleep(0.05)
        return {"f_bsize": 4096, "f_frsize": 4096, "f_blocks": 262144,
                "f_bfree": 131072, "f_bavail": 131072, "f_namemax": 255}


if __name__ == "__main__":
    mount, release = sys.argv[1], sys.argv[2]
    limit = float(sys.argv[3]) if len(sys.argv) > 3 else 60.0
    FUSE(StallingFs(release, limit), mount, foreground=True, nothreads=False)
