# Wraps the Windows readme's long lines at 78 columns, counting a wide
# (Japanese) character as two: pandoc breaks lines only at blanks, and
# Japanese has none. A line is broken at a blank, or between two characters
# one of which is wide, never before closing punctuation nor after an
# opening bracket; the rest goes on under the line's indent (a list item's
# text). Paragraphs that begin with "$ " (examples) are left as they are,
# and so is the first line (the note that the file is generated, which the
# build leaves out).
#   perl -CSD wrap.pl < README > README.wrapped
use strict;
use warnings;
my $width = 78;
my $example = 0;
my $closing = qr/[、。，．）」』］：；！？ー]/;
my $opening = qr/[（「『［]/;
sub columns { my $n = 0; $n += /[\x{1100}-\x{115F}\x{2E80}-\x{A4CF}\x{AC00}-\x{D7A3}\x{F900}-\x{FAFF}\x{FE30}-\x{FE4F}\x{FF00}-\x{FF60}\x{FFE0}-\x{FFE6}]/ ? 2 : 1 for split //, $_[0]; $n }
sub wide { columns($_[0]) == 2 }
while (my $line = <STDIN>) {
  chomp $line;
  $example = 0 if $line eq '';
  $example = 1 if $line =~ /^\s*\$ /;
  if ($. == 1 || $example || columns($line) <= $width) { print "$line\n"; next }
  my ($indent) = $line =~ /^(\s*(?:-   )?)/;
  my $hang = ' ' x length $indent;
  while (columns($line) > $width) {
    my @chars = split //, $line;
    my ($used, $break) = (0, 0);
    for my $i (0 .. $#chars) {
      $used += wide($chars[$i]) ? 2 : 1;
      last if $used > $width;
      next if $i == 0 || $i < length $indent;
      my ($before, $after) = ($chars[$i - 1], $chars[$i]);
      next if $after =~ $closing || $before =~ $opening;
      $break = $i if $after eq ' ' || wide($before) || wide($after);
    }
    last unless $break;
    my $head = substr($line, 0, $break);
    $head =~ s/ +$//;
    print "$head\n";
    (my $rest = substr($line, $break)) =~ s/^ +//;
    $line = $hang . $rest;
  }
  print "$line\n";
}
