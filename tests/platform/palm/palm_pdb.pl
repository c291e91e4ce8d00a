#!/usr/bin/perl
# An independent reader and writer of database files for the cross-check
# tests: Debian's Palm::PDB.
#   palm_pdb.pl read FILE             prints a dump of header and entries
#   palm_pdb.pl write-resources FILE  writes a resource database "Alpha"
#   palm_pdb.pl write-records FILE    writes a record database "Beta"
use strict;
use warnings;
use Palm::PDB;
use Palm::Raw;

Palm::PDB::RegisterPDBHandlers("Palm::Raw", "");
Palm::PDB::RegisterPRCHandlers("Palm::Raw", "");

my ($command, $file) = @ARGV;

sub new_database {
  my ($name, $type, $resource) = @_;
  my $pdb = Palm::Raw->new;
  $pdb->{name} = $name;
  $pdb->{type} = $type;
  $pdb->{creator} = "QzSo";
  $pdb->{attributes}{resource} = $resource;
  $pdb->{attributes}{backup} = 1;
  $pdb->{version} = 1;
  $pdb->{ctime} = 0x5F000000;
  $pdb->{mtime} = 0x5F000100;
  $pdb->{baktime} = 0x5F000200;
  $pdb->{modnum} = 7;
  $pdb->{uniqueIDseed} = 0x00BC0003;
  return $pdb;
}

if ($command eq "read") {
  my $pdb = Palm::PDB->new;
  $pdb->Load($file);
  printf "name %s\ntype %s\ncreator %s\nresource %d\n", $pdb->{name}, $pdb->{type}, $pdb->{creator},
    $pdb->{attributes}{resource} ? 1 : 0;
  if ($pdb->{attributes}{resource}) {
    printf "%s %d %s\n", $_->{type}, $_->{id}, unpack("H*", $_->{data}) for @{$pdb->{resources}};
  } else {
    printf "record %s\n", unpack("H*", $_->{data}) for @{$pdb->{records}};
  }
} elsif ($command eq "write-resources") {
  my $pdb = new_database("Alpha", "ARES", 1);
  push @{$pdb->{resources}}, { type => "aFRM", id => 1000, data => "\x01\x02\x03\x04\x05" };
  push @{$pdb->{resources}}, { type => "aSTR", id => 7, data => "hi\0" };
  $pdb->Write($file);
} elsif ($command eq "write-records") {
  my $pdb = new_database("Beta", "USER", 0);
  push @{$pdb->{records}}, { data => "first", attributes => { dirty => 1 }, id => 0xBC0001, category => 0 };
  push @{$pdb->{records}}, { data => "second!", attributes => {}, id => 0xBC0002, category => 0 };
  $pdb->Write($file);
} else {
  die "usage: palm_pdb.pl read|write-resources|write-records FILE\n";
}
