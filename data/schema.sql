-- SPDX-License-Identifier: MIT
-- The dictionary file's tables. The key's primary-key index makes a lookup
-- a B-tree search; history ids only ever grow, so the newest rows are the
-- largest ids.
create table if not exists dict(key text primary key, value text not null);
create table if not exists history(id integer primary key autoincrement, word text not null);
