-- SPDX-License-Identifier: MIT
-- The dictionary file's tables. The key's primary-key index makes a lookup
-- a B-tree search; history ids only ever grow, so the newest rows are the
-- largest ids.
create table if not exists dict(key text primary key, value text not null);
create table if not exists history(id integer primary key autoincrement, word text not null);
-- How common each key is, for offering keys as they are typed: smaller
-- first. Written by the importer for every key of dict.
create table if not exists keyrank(key text primary key, rank integer not null) without rowid;
